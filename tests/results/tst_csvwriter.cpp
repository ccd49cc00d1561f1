#include "csvwriter.h"

#include <QStringListModel>
#include <QtTest>

class TestCsvWriter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each field is its own record, ended by CR LF. Quoted exactly when a reader would otherwise
    // split, join or trim the field; inner quotes doubled; UTF-8 kept.
    void field_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("csv");
        QTest::newRow("plain") << "Ni-MH" << QByteArray("Ni-MH");
        QTest::newRow("empty") << "" << QByteArray("");
        QTest::newRow("comma") << "Harbor Cells, Inc." << QByteArray("\"Harbor Cells, Inc.\"");
        QTest::newRow("quote") << "the \"good\" set" << QByteArray("\"the \"\"good\"\" set\"");
        QTest::newRow("line end") << "a\r\nb" << QByteArray("\"a\r\nb\"");
        QTest::newRow("blank kept") << " ," << QByteArray("\" ,\"");
        QTest::newRow("UTF-8") << "Åkerby 12 °C" << QByteArray("Åkerby 12 °C");
    }
    void field()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, csv);
        QStringListModel model({text, QStringLiteral("next")});
        // A list model's column heading is its number.
        QCOMPARE(CsvWriter::table(model), "1\r\n" + csv + "\r\nnext\r\n");
    }
};

QTEST_GUILESS_MAIN(TestCsvWriter)
#include "tst_csvwriter.moc"
