// The program's package-version comparison (the package manager's library
// behind the program's own entry points) against the library called
// directly, on the same million generated pairs, in one process. Prints the
// time of each (median of the runs), their ratio, and how many answers
// differ (must be 0).
//
// Run:  build/bin/bench_versions [runs]      (default 5 runs)

#include "updates/versioncomparison.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QList>
#include <QRandomGenerator>
#include <QTextStream>

#include <algorithm>
#include <functional>

#include <alpm.h>

namespace {

const int PAIRS = 1000000;

QByteArray random_version(QRandomGenerator& random)
{
    static const char* const pieces[] = {"0", "1", "2", "01", "10", "99", "2023", "a", "b", "rc", "beta", "git"};
    static const char* const separators[] = {".", ".", ".", "_", "+", ".."};
    QByteArray text;
    if (random.bounded(4) == 0)
        text += QByteArray::number(random.bounded(3)) + ':';
    const int segments = 1 + random.bounded(5);
    for (int i = 0; i < segments; ++i) {
        if (i > 0)
            text += separators[random.bounded(int(std::size(separators)))];
        text += pieces[random.bounded(int(std::size(pieces)))];
    }
    if (random.bounded(2) == 0)
        text += '-' + QByteArray::number(1 + random.bounded(12));
    return text;
}

// Half unrelated pairs, half a version against a close relative of itself
// (the usual case: the same package, another release).
QList<QByteArray> make_pairs()
{
    QRandomGenerator random(2026);
    QList<QByteArray> versions;
    versions.reserve(2 * PAIRS);
    for (int i = 0; i < PAIRS; ++i) {
        const QByteArray a = random_version(random);
        QByteArray b = random.bounded(2) ? random_version(random) : a;
        if (b == a && !b.isEmpty())
            b[random.bounded(int(b.size()))] = "0123456789.ab"[random.bounded(13)];
        versions.append(a);
        versions.append(b);
    }
    return versions;
}

double median_ms(int runs, const std::function<long long()>& work, long long* checksum)
{
    QList<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        *checksum = work();
        times.append(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, QByteArray(argv[1]).toInt()) : 5;
    const QList<QByteArray> versions = make_pairs();
    QList<const char*> strings;
    for (const QByteArray& v : versions)
        strings.append(v.constData());

    int differences = 0;
    for (int i = 0; i < strings.size(); i += 2)
        differences += VM24::compare_versions(strings[i], strings[i + 1]) != alpm_pkg_vercmp(strings[i], strings[i + 1]);

    long long ours = 0;
    long long theirs = 0;
    const double oursMs = median_ms(runs, [&] {
        long long sum = 0;
        for (int i = 0; i < strings.size(); i += 2)
            sum += VM24::compare_versions(strings[i], strings[i + 1]) + 1;
        return sum;
    }, &ours);
    const double theirsMs = median_ms(runs, [&] {
        long long sum = 0;
        for (int i = 0; i < strings.size(); i += 2)
            sum += alpm_pkg_vercmp(strings[i], strings[i + 1]) + 1;
        return sum;
    }, &theirs);

    QTextStream out(stdout);
    out << "pairs: " << PAIRS << ", runs: " << runs << "\n"
        << "program's comparison: " << oursMs << " ms\n"
        << "package manager's library: " << theirsMs << " ms\n"
        << "ratio (program / library): " << oursMs / theirsMs << "\n"
        << "answers that differ: " << differences << (ours == theirs ? "" : " (checksums differ)") << "\n";
    return differences == 0 && oursMs <= 2 * theirsMs ? 0 : 1;
}
