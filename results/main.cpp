#include "dunmerrow_version.h"
#include "showresultswindow.h"

#include <QApplication>
#include <QCommandLineParser>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dunmerrow Results"));
    QApplication::setApplicationVersion(QStringLiteral(DUNMERROW_RELEASE_NAME));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Shows the battery tests in a Dunmerrow result log and compares the "
                       "batteries."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("The result log to show; by default BATTERY.TXT "
                                                "in the working directory."),
                                 QStringLiteral("[FILE]"));
    parser.process(app);
    if (parser.positionalArguments().size() > 1)
        parser.showHelp(2);
    return showResultsWindow(parser.positionalArguments().value(0));
}
