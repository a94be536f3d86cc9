#pragma once

#include <QDialog>

class ProductRecord;
class QPlainTextEdit;

// The description of one product, over the price screen. It closes at the
// first touch or after its time.
class ProductHelpDialog : public QDialog
{
    Q_OBJECT

public:
    static const QSize DIALOG_SIZE;
    static const int DEFAULT_DURATION_MS = 5000;

    ProductHelpDialog(const ProductRecord& product, int durationMs = DEFAULT_DURATION_MS, QWidget* parent = nullptr);

    QPlainTextEdit* descriptionView() const { return m_description; }

protected:
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QPlainTextEdit* m_description;
    int m_durationMs;
};
