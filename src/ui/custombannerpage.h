#pragma once

#include "ui/simpledisplayactivity.h"

class ImageLabel;
class QLabel;

// The shop's own message, opened by the custom-text button of the home page.
class CustomBannerPage : public SimpleDisplayActivity
{
    Q_OBJECT

public:
    static const char* const MESSAGE_FILE; // "data:user/messaggio.html"

    explicit CustomBannerPage(Context* context, QWidget* parent = nullptr);

    void onStart() override;

    QString messageText() const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void loadMessage();
    void retranslate();

    ImageLabel* m_title;
    QLabel* m_message;
};
