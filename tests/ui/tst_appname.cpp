// The program's message boxes carry the executable's base name: a copy
// named "tester" says "tester". The real program is run under each name,
// off screen, with a probe preloaded into it that plays the operator and
// reports the boxes it sees (boxprobe.cpp); nothing in the program itself
// serves the test.
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestAppName : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void captionIsExecutableName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("tester") << "tester";
        QTest::newRow("Dunmerrow") << "Dunmerrow";
    }

    void captionIsExecutableName()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        const QString program = dir.filePath(name);
        QVERIFY(QFile::copy(QStringLiteral(DUNMERROW_EXE), program));
        QVERIFY(QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner));

        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("LD_PRELOAD", QStringLiteral(BOX_PROBE));
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(dir.path());
        process.start(program, {});
        QVERIFY(process.waitForFinished(60000));

        const QString warning = QString::number(int(QMessageBox::Warning));
        const QString question = QString::number(int(QMessageBox::Question));
        const QStringList expected = {
            name + "|" + warning + "|Please select a com port before testing.",
            name + "|" + question + "|Are you sure you want to exit?",
        };
        const QString output = QString::fromLocal8Bit(process.readAllStandardOutput());
        QCOMPARE(output.split(QLatin1Char('\n'), Qt::SkipEmptyParts), expected);
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TestAppName)
#include "tst_appname.moc"
