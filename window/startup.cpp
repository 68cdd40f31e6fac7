#include "startup.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

// The styles draw through pixmaps that X servers of fewer colours can't hold.
constexpr int MinimumDepth = 16;

struct State {
    QString platformArg, displayArg;   // -platform and -display on the command line
    QStringList messages;              // Qt's, as they came
    int savedStderr = -1;              // the real stderr while ours goes to `held`
    std::FILE *held = nullptr;
    QtMessageHandler previous = nullptr;
} state;

QString heldOutput()
{
    QString text;
    if (!state.held)
        return text;
    std::fflush(stderr);
    std::rewind(state.held);
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, state.held)) > 0)
        text += QString::fromLocal8Bit(buffer, qsizetype(n));
    return text;
}

void restoreStderr()
{
    if (state.savedStderr < 0)
        return;
    std::fflush(stderr);
    dup2(state.savedStderr, STDERR_FILENO);
    close(state.savedStderr);
    state.savedStderr = -1;
}

QString quoted(const QString &s) { return QLatin1Char('"') + s + QLatin1Char('"'); }

// The platform Qt tried: named in its message, else asked for, else its default here.
QString platformTried(const QString &fatal)
{
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("platform plugin \"([^\"]*)\"")).match(fatal);
    if (m.hasMatch())
        return m.captured(1);
    if (!state.platformArg.isEmpty())
        return state.platformArg;
    const QString env = qEnvironmentVariable("QT_QPA_PLATFORM").section(QLatin1Char(';'), 0, 0);
    return env.isEmpty() ? QStringLiteral("xcb") : env.section(QLatin1Char(':'), 0, 0);
}

QString xDisplay()
{
    if (!state.displayArg.isEmpty())
        return quoted(state.displayArg) + QStringLiteral(" (from -display)");
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return {};
    return quoted(qEnvironmentVariable("DISPLAY")) + QStringLiteral(" (DISPLAY)");
}

QString cause(const QString &fatal)
{
    const QString platform = platformTried(fatal);
    if (state.messages.join(QLatin1Char('\n')).contains(QLatin1String("Could not find the Qt platform plugin"))) {
        const QString available = fatal.section(QStringLiteral("Available platform plugins are: "), 1).trimmed();
        QString line = QStringLiteral("there is no Qt platform plugin ") + quoted(platform);
        if (!available.isEmpty())
            line += QStringLiteral(" (available: %1)").arg(available.endsWith(QLatin1Char('.')) ? available.chopped(1) : available);
        return line;
    }
    if (platform == QLatin1String("xcb")) {
        const QString display = xDisplay();
        return display.isEmpty() ? QStringLiteral("cannot open an X display: DISPLAY is not set (platform xcb)")
                                 : QStringLiteral("cannot open the X display ") + display;
    }
    if (platform == QLatin1String("wayland")) {
        const QString display = qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
                                    ? quoted(QStringLiteral("wayland-0")) + QStringLiteral(" (WAYLAND_DISPLAY not set)")
                                    : quoted(qEnvironmentVariable("WAYLAND_DISPLAY")) + QStringLiteral(" (WAYLAND_DISPLAY)");
        return QStringLiteral("cannot connect to the Wayland compositor ") + display;
    }
    return QStringLiteral("the Qt platform ") + quoted(platform) + QStringLiteral(" could not start");
}

// The first thing said that explains the failure: Qt's warnings before its final message, or a
// library's own line on stderr.
QString firstExplanation(const QString &held)
{
    for (const QString &text : {state.messages.join(QLatin1Char('\n')), held})
        for (const QString &line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            if (!line.trimmed().isEmpty() && !line.startsWith(QLatin1String("QStandardPaths:")))
                return line.trimmed();
    return {};
}

[[noreturn]] void fail(const QString &line, const QString &fatal = {})
{
    const QString held = heldOutput();
    restoreStderr();
    QString out = QStringLiteral("qor: ") + line;
    const QString why = firstExplanation(held);
    if (!why.isEmpty() && why != fatal.section(QLatin1Char('\n'), 0, 0).trimmed())
        out += QStringLiteral("; Qt: ") + why;
    else if (!fatal.isEmpty())
        out += QStringLiteral("; Qt: ") + fatal.section(QLatin1Char('\n'), 0, 0).trimmed();
    std::fprintf(stderr, "%s\n", out.toLocal8Bit().constData());
    if (qEnvironmentVariableIntValue("QOR_DEBUG")) {
        std::fputs(held.toLocal8Bit().constData(), stderr);
        for (const QString &m : std::as_const(state.messages))
            std::fprintf(stderr, "%s\n", m.toLocal8Bit().constData());
        if (!fatal.isEmpty())
            std::fprintf(stderr, "%s\n", fatal.toLocal8Bit().constData());
    }
    std::fflush(stderr);
    std::_Exit(1);
}

void collect(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtFatalMsg)
        fail(cause(text), text);
    const QString category = context.category && qstrcmp(context.category, "default") != 0
                                 ? QString::fromLatin1(context.category) + QStringLiteral(": ")
                                 : QString();
    state.messages << category + text;
}

}  // namespace

StartupWatch::StartupWatch(int argc, char **argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-platform" || arg == "--platform")
            state.platformArg = QString::fromLocal8Bit(argv[i + 1]).section(QLatin1Char(':'), 0, 0);
        else if (arg == "-display" || arg == "--display")
            state.displayArg = QString::fromLocal8Bit(argv[i + 1]);
    }
    state.messages.clear();
    state.previous = qInstallMessageHandler(collect);
    std::fflush(stderr);
    state.held = std::tmpfile();
    if (state.held) {
        state.savedStderr = dup(STDERR_FILENO);
        if (state.savedStderr >= 0)
            dup2(fileno(state.held), STDERR_FILENO);
    }
}

StartupWatch::~StartupWatch()
{
    const QString held = heldOutput();
    restoreStderr();
    if (state.held)
        std::fclose(state.held);
    state.held = nullptr;
    qInstallMessageHandler(state.previous);
    std::fputs(held.toLocal8Bit().constData(), stderr);
    for (const QString &m : std::as_const(state.messages))
        qWarning().noquote() << m;
    state.messages.clear();
}

void StartupWatch::checkScreens()
{
    const QString platform = QGuiApplication::platformName();
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen || QGuiApplication::screens().isEmpty())
        fail(QStringLiteral("the Qt platform %1 has no screen to show the window on").arg(quoted(platform)));
    if (platform != QLatin1String("offscreen") && screen->depth() < MinimumDepth)
        fail(QStringLiteral("the display's colour depth of %1 bits is not supported (QOR needs %2 or more; platform %3)")
                 .arg(screen->depth()).arg(MinimumDepth).arg(quoted(platform)));
}
