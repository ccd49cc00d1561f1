// The program's command line, run as the real executable in a scratch home
// with neither a display nor DUNMERROW_COMn of its own: mistakes end it with
// status 2 and a message, and COM1..COM4 come from the command line, then
// the environment, then the settings file in the platform's place, then the
// default. A menu start has no options and no environment, so only the
// settings file can name its ports.
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestCommandLine : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;

    // {HOME} stands for the scratch home in a row's texts.
    QString Expand(QString text) const { return text.replace("{HOME}", m_home.path()); }
    QString SettingsFile() const { return m_home.filePath(".config/dunmerrow/dunmerrow.conf"); }

private Q_SLOTS:
    void initTestCase() { QVERIFY(QFile::link("/dev/null", m_home.filePath("adapter"))); }

    void run_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<QByteArray>("settings"); // the file as it was before; empty: none
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("outPattern"); // what standard output must match
        QTest::addColumn<QString>("errPattern"); // and standard error; empty: nothing
        QTest::addColumn<QString>("saved");      // the ports in the file after; empty: unchecked

        const QString usage = "\nRun 'Dunmerrow --help' to see the options.\n$";
        const QByteArray settings = "[ports]\nCOM1=/dev/ttyUSB7\nCOM3=/dev/old\n";
        QTest::newRow("unknown option")
            << QStringList{"--frobnicate"} << QStringList() << QByteArray() << 2 << "^$"
            << "^Dunmerrow: Unknown option 'frobnicate'\\." + usage << "";
        QTest::newRow("Qt's own option")
            << QStringList{"-platform", "xcb"} << QStringList() << QByteArray() << 2 << "^$"
            << "^Dunmerrow: Unknown option 'platform'\\." + usage << "";
        QTest::newRow("missing value")
            << QStringList{"--list-ports", "--com1"} << QStringList() << QByteArray() << 2 << "^$"
            << "^Dunmerrow: Missing value after '--com1'\\." + usage << "";
        QTest::newRow("empty device")
            << QStringList{"--com2=", "--save-ports"} << QStringList() << settings << 2 << "^$"
            << "^Dunmerrow: Option '--com2' needs a device name\\." + usage
            << "COM1=/dev/ttyUSB7 COM3=/dev/old";
        QTest::newRow("port twice")
            << QStringList{"--com1", "/dev/a", "--com1", "/dev/b"} << QStringList() << QByteArray()
            << 2 << "^$"
            << "^Dunmerrow: Option '--com1' is given more than once\\." + usage << "";
        QTest::newRow("stray argument")
            << QStringList{"--list-ports", "COM1"} << QStringList() << QByteArray() << 2 << "^$"
            << "^Dunmerrow: Unexpected argument 'COM1'\\." + usage << "";
        QTest::newRow("version") << QStringList{"--version"} << QStringList() << QByteArray() << 0
                                 << "^Dunmerrow Version 0\\.01 Alpha\\n$"
                                 << ""
                                 << "";
        QTest::newRow("help") << QStringList{"-h"} << QStringList() << QByteArray() << 0
                              << "--com4 <device>.*--list-ports.*--save-ports"
                              << ""
                              << "";
        QTest::newRow("menu start: settings file")
            << QStringList{"--list-ports"} << QStringList() << settings << 0
            << "\\nCOM1 to COM4 \\(settings file: {HOME}/.config/dunmerrow/dunmerrow.conf\\):\\n"
               "  COM1 is /dev/ttyUSB7 \\(missing\\), from the settings file\\n"
               "  COM2 is /dev/ttyS1( \\(missing\\))?, the default\\n"
               "  COM3 is /dev/old \\(missing\\), from the settings file\\n"
               "  COM4 is /dev/ttyS3( \\(missing\\))?, the default\\n$"
            << ""
            << "";
        QTest::newRow("environment over settings")
            << QStringList{"--list-ports"} << QStringList{"DUNMERROW_COM3={HOME}/adapter"}
            << settings << 0
            << "  COM1 is /dev/ttyUSB7 \\(missing\\), from the settings file\\n"
               "  COM2 is .*\\n  COM3 is {HOME}/adapter \\(/dev/null\\), from DUNMERROW_COM3\\n"
            << ""
            << "";
        QTest::newRow("command line over environment")
            << QStringList{"--list-ports", "--com3", "/dev/ttyACM0"}
            << QStringList{"DUNMERROW_COM3=/dev/ttyUSB1"} << settings << 0
            << "  COM3 is /dev/ttyACM0 \\(missing\\), from the command line\\n"
            << ""
            << "";
        QTest::newRow("save") << QStringList{"--com2", "/dev/ttyACM0", "--save-ports"}
                              << QStringList{"DUNMERROW_COM3={HOME}/adapter"} << settings << 0
                              << "^Saved to {HOME}/.config/dunmerrow/dunmerrow.conf:\\n"
                                 "  COM2 = /dev/ttyACM0\\n  COM3 = {HOME}/adapter\\n$"
                              << ""
                              << "COM1=/dev/ttyUSB7 COM2=/dev/ttyACM0 COM3={HOME}/adapter";
        QTest::newRow("nothing to save")
            << QStringList{"--save-ports"} << QStringList() << QByteArray() << 2 << "^$"
            << "^Nothing to save: "
            << "";
    }

    void run()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, environment);
        QFETCH(QByteArray, settings);
        QFile::remove(SettingsFile());
        if (!settings.isEmpty()) {
            QVERIFY(QDir().mkpath(QFileInfo(SettingsFile()).path()));
            QFile file(SettingsFile());
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(settings);
        }
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "DUNMERROW_COM1",
                                 "DUNMERROW_COM2", "DUNMERROW_COM3", "DUNMERROW_COM4"})
            env.remove(name);
        env.insert("HOME", m_home.path());
        env.insert("XDG_CONFIG_HOME", m_home.filePath(".config"));
        for (const QString& variable : environment)
            env.insert(variable.section('=', 0, 0), Expand(variable.section('=', 1)));
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(DUNMERROW_EXE, arguments);
        QVERIFY(program.waitForFinished(30000));
        QTEST(program.exitCode(), "status");
        const auto matches = [this](const QString& text, const QString& pattern) {
            const QString expanded =
                QString(pattern).replace("{HOME}", QRegularExpression::escape(m_home.path()));
            const auto options = QRegularExpression::DotMatchesEverythingOption;
            return QRegularExpression(expanded, options).match(text).hasMatch();
        };
        QFETCH(QString, outPattern);
        QFETCH(QString, errPattern);
        const QString out = program.readAllStandardOutput();
        const QString err = program.readAllStandardError();
        QVERIFY2(matches(out, outPattern), qPrintable(out));
        QVERIFY2(matches(err, errPattern.isEmpty() ? "^$" : errPattern), qPrintable(err));
        QFETCH(QString, saved);
        if (!saved.isEmpty()) {
            QSettings file(SettingsFile(), QSettings::IniFormat);
            file.beginGroup("ports");
            QStringList ports;
            for (const QString& key : file.childKeys())
                ports << key + '=' + file.value(key).toString();
            QCOMPARE(ports.join(' '), Expand(saved));
        }
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
