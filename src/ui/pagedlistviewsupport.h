#pragma once

// Shows a long list a page at a time in a fixed number of slots. The
// subclass fills a slot with an item of its model, hides a slot, and
// updates its controls after a page was shown.
class PagedListViewSupport
{
public:
    explicit PagedListViewSupport(int pageSize);
    virtual ~PagedListViewSupport();

    // The number of items; the pages are counted from it (none for 0).
    void setItemCount(int count);
    int itemCount() const { return m_itemCount; }
    int pageCount() const { return m_pageCount; }
    int pageSize() const { return m_pageSize; }
    int currentPage() const { return m_currentPage; }

    // The model index of a slot on the current page.
    int mapToModel(int slot) const;
    bool hasPrevious() const;
    bool hasNext() const;

    // Fills every slot of the current page.
    void displayPage();
    // Shows page p, kept within the pages there are.
    void jumpToPage(int page);
    void previousPage();
    void nextPage();

protected:
    virtual void postDisplayPage(int page) = 0;
    virtual void showElement(int slot, int modelIndex) = 0;
    virtual void hideElement(int slot) = 0;

private:
    const int m_pageSize;
    int m_itemCount = 0;
    int m_pageCount = 0;
    int m_currentPage = 0;
};
