#include "ui/pagedlistviewsupport.h"

#include <QtGlobal>

PagedListViewSupport::PagedListViewSupport(int pageSize)
    : m_pageSize(qMax(1, pageSize))
{
}

PagedListViewSupport::~PagedListViewSupport() = default;

void PagedListViewSupport::setItemCount(int count)
{
    m_itemCount = qMax(0, count);
    m_pageCount = (m_itemCount + m_pageSize - 1) / m_pageSize;
}

int PagedListViewSupport::mapToModel(int slot) const
{
    return slot + m_pageSize * m_currentPage;
}

bool PagedListViewSupport::hasPrevious() const
{
    return m_currentPage > 0;
}

bool PagedListViewSupport::hasNext() const
{
    return m_currentPage < m_pageCount - 1;
}

void PagedListViewSupport::displayPage()
{
    for (int slot = 0; slot < m_pageSize; ++slot) {
        const int index = mapToModel(slot);
        if (index < m_itemCount)
            showElement(slot, index);
        else
            hideElement(slot);
    }
}

void PagedListViewSupport::jumpToPage(int page)
{
    m_currentPage = m_pageCount == 0 ? 0 : qBound(0, page, m_pageCount - 1);
    displayPage();
    postDisplayPage(m_currentPage);
}

void PagedListViewSupport::previousPage()
{
    jumpToPage(m_currentPage - 1);
}

void PagedListViewSupport::nextPage()
{
    jumpToPage(m_currentPage + 1);
}
