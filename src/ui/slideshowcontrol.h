#pragma once

#include <QFuture>
#include <QImage>
#include <QPixmap>
#include <QStringList>
#include <QTimer>
#include <QWidget>

// The home page's pictures in turn: every "*.png" and "*.jpg" of a directory,
// ordered by name ignoring case, each shown for the interval and stretched
// over the widget. Touches go through to the widgets below. Pictures are
// decoded and scaled on a worker thread, the next one while the current one
// shows; only those two are held.
class SlideshowControl : public QWidget
{
    Q_OBJECT

public:
    static const int DEFAULT_INTERVAL_MS = 5000;
    static const char* const MEDIA_ASSET; // "media"

    explicit SlideshowControl(QWidget* parent = nullptr);

    QString directory() const { return m_directory; }
    void setDirectory(const QString& directory);

    // Reads the directory again and starts from its first picture.
    void loadSlideshow();
    void play();
    void stop();
    void setInterval(int ms);
    int interval() const { return m_interval; }

    bool isPlaying() const { return m_timer.isActive(); }
    QStringList files() const { return m_files; }
    int currentIndex() const { return m_index; }

public slots:
    void onContentChanged(const QString& asset);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void showNext();
    const QPixmap& currentPixmap();
    // Starts decoding the picture at index for the widget's size.
    void prepare(int index);

    QTimer m_timer;
    QString m_directory;
    QStringList m_files;
    int m_interval = DEFAULT_INTERVAL_MS;
    int m_index = 0;
    QPixmap m_picture;
    int m_pictureIndex = -1;
    QFuture<QImage> m_prepared;
    int m_preparedIndex = -1;
    QSize m_preparedSize;
};
