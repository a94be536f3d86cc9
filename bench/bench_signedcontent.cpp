// Checking a signed 50 MB content update against its download: the file is
// fetched with the real wget from a file server on loopback into a download
// directory (the content downloader's DownloadManager, its size cap set to
// the listed size), then checked against its signed index entry (size, and
// SHA-256 by openssl) the way the content update does before applying it;
// the index's signature check with openssl is timed too. The check must not
// be the bottleneck: it should take well under the download time.
//
// Run:  build/bin/bench_signedcontent [runs] [megabytes]   (default 5 runs of 50 MB, medians shown)

#include "core/detachedsignature.h"
#include "updates/downloadmanager.h"
#include "updates/filedigest.h"
#include "updates/signedindex.h"
#include "updates/updateauthenticator.h"

#include "httpserverprocess.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

namespace {

bool run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 5;
    const qint64 bytes = qint64(argc > 2 ? qMax(1, atoi(argv[2])) : 50) * 1024 * 1024;
    QTextStream out(stdout);

    QTemporaryDir appDir;
    qputenv("VM24_APP_DIR", appDir.path().toLocal8Bit());
    QTemporaryDir served;
    for (const char* script : {"sign_manifest.sh", "verify_manifest.sh"})
        QFile::copy(QStringLiteral(VM24_SOURCE_DIR "/scripts/") + QLatin1String(script),
                    appDir.filePath(QLatin1String(script)));
    const QString privateKey = served.filePath(QStringLiteral("owner.pem"));
    if (!run(QStringLiteral("openssl"), {"genpkey", "-algorithm", "ed25519", "-out", privateKey})
        || !run(QStringLiteral("openssl"),
                {"pkey", "-in", privateKey, "-pubout", "-out", appDir.filePath(QStringLiteral("updates-public.pem"))})) {
        out << "openssl could not make the key pair\n";
        return 1;
    }
    const QString file = served.filePath(QStringLiteral("media-big.zip"));
    {
        QFile content(file);
        content.open(QIODevice::WriteOnly);
        QByteArray chunk(1024 * 1024, Qt::Uninitialized);
        for (qint64 written = 0; written < bytes; written += chunk.size()) {
            QRandomGenerator::global()->fillRange(reinterpret_cast<quint32*>(chunk.data()), chunk.size() / 4);
            content.write(chunk);
        }
    }
    const QString index = served.filePath(QStringLiteral("descriptor.txt.index"));
    if (!run(QStringLiteral(VM24_SOURCE_DIR "/tools/sign-index.sh"), {index, privateKey, QStringLiteral("all"), file})) {
        out << "tools/sign-index.sh failed\n";
        return 1;
    }
    HttpServerProcess server(served.path());
    if (!server.start()) {
        out << "no file server\n";
        return 1;
    }

    UpdateAuthenticator authenticator;
    QList<double> downloads;
    QList<double> checks;
    QList<double> signatures;
    for (int i = 0; i < runs; ++i) {
        QTemporaryDir downloadDir;
        SignedIndex signedIndex;
        QElapsedTimer timer;
        timer.start();
        if (!authenticator.openIndex(index, QStringLiteral("bench"), &signedIndex)) {
            out << "the index did not check\n";
            return 1;
        }
        signatures << timer.nsecsElapsed() / 1e6;
        DownloadManager downloader;
        downloader.setDownloadDirectory(downloadDir.path());
        downloader.setFileSizeLimit(bytes * 2);
        downloader.addUrl(QUrl(server.url(QStringLiteral("media-big.zip"))), QStringLiteral("media-big.zip"),
                          signedIndex.entry(QStringLiteral("media-big.zip")).size);
        QEventLoop loop;
        QObject::connect(&downloader, &DownloadManager::downloadFinished, &loop, &QEventLoop::quit);
        timer.restart();
        downloader.startDownload();
        loop.exec();
        downloads << timer.nsecsElapsed() / 1e6;
        timer.restart();
        const bool whole = authenticator.checkFile(signedIndex, QStringLiteral("media-big.zip"),
                                                   downloadDir.filePath(QStringLiteral("media-big.zip")));
        checks << timer.nsecsElapsed() / 1e6;
        if (!whole) {
            out << "the downloaded file did not check\n";
            return 1;
        }
    }
    const double download = median(downloads);
    const double check = median(checks);
    out << QStringLiteral("%1 MB, %2 runs (medians)\n").arg(bytes / (1024 * 1024)).arg(runs);
    out << QStringLiteral("download (wget, loopback):   %1 ms\n").arg(download, 0, 'f', 1);
    out << QStringLiteral("size and SHA-256 check:      %1 ms (%2 MB/s)\n")
               .arg(check, 0, 'f', 1)
               .arg(bytes / (1024.0 * 1024.0) / (check / 1000.0), 0, 'f', 0);
    out << QStringLiteral("index signature (openssl):   %1 ms\n").arg(median(signatures), 0, 'f', 1);
    out << QStringLiteral("check / download:            %1\n").arg(check / download, 0, 'f', 2);
    return 0;
}
