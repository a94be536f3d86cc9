#pragma once

#include "ui/simpledisplayactivity.h"

class ImageLabel;
class QTextBrowser;

// The list of pharmacies on duty, opened by the home page. Scrolling it
// keeps the page up for another 7 seconds.
class OpenPharmaciesPage : public SimpleDisplayActivity
{
    Q_OBJECT

public:
    static const char* const DUTY_FILE; // "data:user/turni.html"

    explicit OpenPharmaciesPage(Context* context, QWidget* parent = nullptr);

    void onStart() override;

    QTextBrowser* textView() const { return m_text; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void loadList();
    void retranslate();

    ImageLabel* m_title;
    QTextBrowser* m_text;
};
