// rk710-sim: a simulated Rk710 controller board on a pseudo-terminal.
// See README.md in this folder for the command line and the control commands.

#include "boardlink.h"
#include "controlclient.h"
#include "controlinterpreter.h"
#include "controlserver.h"
#include "faultinjector.h"
#include "machine.h"
#include "pseudoterminal.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <unistd.h>

using namespace rk710sim;

namespace {

int g_signalPipe[2] = {-1, -1};

void on_signal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = write(g_signalPipe[1], &byte, 1);
}

// SIGINT, SIGTERM and SIGHUP end the event loop, so the link and the socket
// are removed on the way out.
void quit_on_signals(QCoreApplication* app)
{
    if (pipe(g_signalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, app);
    QObject::connect(notifier, &QSocketNotifier::activated, app, &QCoreApplication::quit);
    struct sigaction action = {};
    action.sa_handler = on_signal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
    // A simulator started in the background must not stop when it reads the
    // terminal: the read fails instead and standard input is left alone.
    std::signal(SIGTTIN, SIG_IGN);
    // A reader of the first line that goes away must not end the board.
    std::signal(SIGPIPE, SIG_IGN);
}

bool load_start_state(Machine* machine, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        fprintf(stderr, "rk710-sim: cannot read %s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!document.isObject()) {
        fprintf(stderr, "rk710-sim: %s is not a JSON object: %s\n", qPrintable(path),
                qPrintable(parseError.errorString()));
        return false;
    }
    QString error;
    if (!machine->applyJson(document.object(), &error)) {
        fprintf(stderr, "rk710-sim: %s: %s\n", qPrintable(path), qPrintable(error));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("rk710-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulated Rk710 controller board on a pseudo-terminal."));
    parser.addHelpOption();
    const QCommandLineOption linkOption("link", "Keep a symbolic link to the board's serial device at <path>.", "path");
    const QCommandLineOption controlOption("control", "Listen for control commands on the Unix socket <path>.", "path");
    const QCommandLineOption stateOption("state", "Start from the machine state in the JSON <file>.", "file");
    const QCommandLineOption receiptsOption("receipts", "Append every printed receipt to <file>.", "file");
    const QCommandLineOption logOption("log", "Append every frame received and answered to <file>, in hex.", "file");
    const QCommandLineOption logLimitOption("log-limit",
                                            "Keep the log within <kB>: a full one becomes <file>.1 and a new "
                                            "one starts (default 65536, 0 for no limit).",
                                            "kB", "65536");
    const QCommandLineOption seedOption("seed", "Seed of the random line faults (default 1).", "n", "1");
    const QCommandLineOption noStdinOption("no-stdin", "Do not read control commands from standard input.");
    const QCommandLineOption sendOption("send",
                                        "Client mode: send the commands given as arguments (or the lines of "
                                        "standard input) to the simulator listening on <socket>; print the answers.",
                                        "socket");
    const QCommandLineOption timeoutOption("timeout", "Client mode: wait at most <ms> for each answer.", "ms", "5000");
    parser.addOptions({linkOption, controlOption, stateOption, receiptsOption, logOption, logLimitOption, seedOption,
                       noStdinOption, sendOption, timeoutOption});
    parser.addPositionalArgument("commands", "Client mode: control commands, one per argument.", "[command...]");
    parser.process(app);

    if (parser.isSet(sendOption))
        return ControlClient::run(parser.value(sendOption), parser.positionalArguments(),
                                  parser.value(timeoutOption).toInt());

    bool seedValid = false;
    const quint32 seed = parser.value(seedOption).toUInt(&seedValid);
    if (!seedValid) {
        fprintf(stderr, "rk710-sim: --seed needs a non-negative number\n");
        return 2;
    }

    Machine machine;
    if (parser.isSet(stateOption) && !load_start_state(&machine, parser.value(stateOption)))
        return 2;
    if (parser.isSet(receiptsOption))
        machine.setReceiptLog(parser.value(receiptsOption));

    PseudoTerminal line;
    if (!line.open()) {
        fprintf(stderr, "rk710-sim: %s\n", qPrintable(line.errorString()));
        return 1;
    }
    if (parser.isSet(linkOption) && !line.createLink(parser.value(linkOption))) {
        fprintf(stderr, "rk710-sim: %s\n", qPrintable(line.errorString()));
        return 1;
    }

    FaultInjector faults(seed);
    BoardLink link(&line, &machine, &faults);
    bool logLimitValid = false;
    const qint64 logLimitKb = parser.value(logLimitOption).toLongLong(&logLimitValid);
    if (!logLimitValid || logLimitKb < 0) {
        fprintf(stderr, "rk710-sim: --log-limit needs a non-negative number\n");
        return 2;
    }
    if (parser.isSet(logOption) && !link.setRequestLog(parser.value(logOption), logLimitKb * 1024)) {
        fprintf(stderr, "rk710-sim: cannot write %s\n", qPrintable(parser.value(logOption)));
        return 1;
    }
    ControlInterpreter interpreter(&machine, &faults, &link);
    QObject::connect(&interpreter, &ControlInterpreter::quitRequested, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    QObject::connect(&machine, &Machine::watchdogExpired, [] {
        fprintf(stderr, "rk710-sim: watchdog expired: the host has been silent too long\n");
    });

    ControlServer control(&interpreter);
    if (parser.isSet(controlOption) && !control.listen(parser.value(controlOption))) {
        fprintf(stderr, "rk710-sim: cannot listen on %s: %s\n", qPrintable(parser.value(controlOption)),
                qPrintable(control.errorString()));
        return 1;
    }
    if (!parser.isSet(noStdinOption))
        control.readStandardInput();
    quit_on_signals(&app);

    // The first line of output names the device once everything listens, so
    // a script can start using the board as soon as it has read it.
    const QString device = line.linkPath().isEmpty() ? line.slavePath() : line.linkPath();
    fprintf(stdout, "%s\n", qPrintable(device));
    fflush(stdout);
    fprintf(stderr, "rk710-sim: board on %s%s%s\n", qPrintable(line.slavePath()),
            line.linkPath().isEmpty() ? "" : qPrintable(QStringLiteral(" (link %1)").arg(line.linkPath())),
            parser.isSet(controlOption) ? qPrintable(QStringLiteral(", control %1").arg(parser.value(controlOption)))
                                        : "");

    const int status = app.exec();
    machine.endReceipt();
    return status;
}
