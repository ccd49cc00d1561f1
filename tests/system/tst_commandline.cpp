// The program's command line, run as the real executable in a scratch home
// with neither a display nor DUNMERROW_COMn of its own: mistakes end it with
// status 2 and a message on standard error, before any window could open,
// and COM1..COM4 come from the command line, then the environment, then the
// settings file in the platform's place, then the default. A menu start has
// no options and no environment, so only the settings file names its ports.
// --results hands over to Dunmerrow Results, a program of its own.
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

class TestCommandLine : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    const QString m_settings = m_home.filePath(".config/dunmerrow/dunmerrow.conf");

private Q_SLOTS:
    void run_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("environment"); // DUNMERROW_COM3, or empty
        QTest::addColumn<int>("status");
        // What the program prints, on standard error for status 2, else on
        // standard output; {HOME} is the scratch home. The other stays empty.
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("saved"); // the ports in the file afterwards

        const QString usage = "\\.\\nRun 'Dunmerrow --help' to see the options\\.\\n$";
        const QString before = "COM1=/dev/ttyUSB7 COM3=/dev/old";
        QTest::newRow("unknown option")
            << QStringList{"-platform", "xcb"} << "" << 2
            << "^Dunmerrow: Unknown option 'platform'" + usage << before;
        QTest::newRow("missing value")
            << QStringList{"--list-ports", "--com1"} << "" << 2
            << "^Dunmerrow: Missing value after '--com1'" + usage << before;
        QTest::newRow("menu start: settings file")
            << QStringList{"--list-ports"} << "" << 0
            << "\\nCOM1 to COM4 \\(settings file: {HOME}/.config/dunmerrow/dunmerrow.conf\\):\\n"
               "  COM1 is /dev/ttyUSB7 \\(missing\\), from the settings file\\n"
               "  COM2 is /dev/ttyS1( \\(missing\\))?, the default\\n"
               "  COM3 is /dev/old \\(missing\\), from the settings file\\n"
               "  COM4 is /dev/ttyS3( \\(missing\\))?, the default\\n$"
            << before;
        QTest::newRow("environment over settings")
            << QStringList{"--list-ports"} << "/dev/null" << 0
            << "  COM3 is /dev/null, from DUNMERROW_COM3\\n"
            << before;
        QTest::newRow("command line over environment")
            << QStringList{"--list-ports", "--com3", "/dev/ttyACM0"} << "/dev/null" << 0
            << "  COM3 is /dev/ttyACM0 \\(missing\\), from the command line\\n"
            << before;
        QTest::newRow("save") << QStringList{"--com2", "/dev/ttyACM0", "--save-ports"}
                              << "/dev/null" << 0
                              << "^Saved to {HOME}/.config/dunmerrow/dunmerrow.conf:\\n"
                                 "  COM2 = /dev/ttyACM0\\n  COM3 = /dev/null\\n$"
                              << "COM1=/dev/ttyUSB7 COM2=/dev/ttyACM0 COM3=/dev/null";
    }

    void run()
    {
        QFETCH(QString, environment);
        QFETCH(int, status);
        QFETCH(QString, pattern);
        QSettings settings(m_settings, QSettings::IniFormat);
        settings.clear();
        settings.setValue("ports/COM1", "/dev/ttyUSB7");
        settings.setValue("ports/COM3", "/dev/old");
        settings.sync();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.insert("HOME", m_home.path());
        env.insert("XDG_CONFIG_HOME", m_home.filePath(".config"));
        env.insert("DUNMERROW_COM3", environment); // empty: not given
        QProcess program;
        program.setProcessEnvironment(env);
        QFETCH(QStringList, arguments);
        program.start(DUNMERROW_EXE, arguments);
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), status);
        const QString out = program.readAllStandardOutput(), err = program.readAllStandardError();
        pattern.replace("{HOME}", QRegularExpression::escape(m_home.path()));
        const QRegularExpression expected(pattern, QRegularExpression::DotMatchesEverythingOption);
        QVERIFY2(expected.match(status == 2 ? err : out).hasMatch(), qPrintable(out + err));
        QVERIFY2((status == 2 ? out : err).isEmpty(), qPrintable(out + err));
        settings.sync();
        QStringList saved;
        for (const QString& key : settings.allKeys())
            saved << key.section('/', 1) + '=' + settings.value(key).toString();
        QTEST(saved.join(' '), "saved");
    }

    // --results becomes Dunmerrow Results from beside the program, on the
    // file given, with its output and exit status.
    void resultsProgram()
    {
        QTemporaryDir dir;
        const QString exe = dir.filePath("Dunmerrow");
        QVERIFY(QFile::copy(DUNMERROW_EXE, exe));
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PATH", dir.filePath("nothing"));
        QProcess program;
        program.setProcessEnvironment(env);
        QFile results(dir.filePath("Dunmerrow-results"));
        QVERIFY(results.open(QIODevice::WriteOnly));
        results.write("#!/bin/sh\necho \"$@\"\nexit 3\n");
        results.close();
        QVERIFY(results.setPermissions(results.permissions() | QFileDevice::ExeOwner));
        program.start(exe, {"--results", "my log.txt"});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.readAllStandardOutput(), "-- my log.txt\n");
        QCOMPARE(program.exitCode(), 3);
    }
};

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
