// The floor of the test program: the least a Qt Widgets dialog can do and
// still poll receivers the way a run does. It writes each port's version
// query, handles events and sleeps 100 ms at a time for about two seconds,
// then reads what came, and shows on a label per port when it last heard
// something. Whatever Dunmerrow costs beyond it while a test runs is its own
// overhead (bench/side-by-side.sh, bench/startup.sh).
//
//   floor [SECONDS]   (60 by default; the ports are DUNMERROW_COM1..4)
//
// COM1 and COM3 are Garmins, COM2 and COM4 Magellans, as the benchmarks set
// up their receivers.
#include "gpsmaker.h"
#include "units.h"

#include <cstdlib>
#include <ctime>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QSerialPort>
#include <QThread>
#include <QVBoxLayout>

namespace {

// As much as a version reply takes.
constexpr qint64 READ_SIZE = 255;

const GpsMakerTraits& makerOf(int k)
{
    return *makerTraits(k % 2 == 0 ? GPS_MFG_GARMIN : GPS_MFG_MAGELLAN);
}

void openPorts(QSerialPort (&ports)[UNIT_COUNT])
{
    for (int k = 0; k < UNIT_COUNT; ++k) {
        const QByteArray device = qgetenv(QByteArray("DUNMERROW_COM") + QByteArray::number(k + 1));
        if (device.isEmpty())
            continue;
        ports[k].setPortName(QString::fromLocal8Bit(device));
        if (ports[k].open(QIODevice::ReadWrite))
            ports[k].setBaudRate(makerOf(k).baudRate);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? std::atof(argv[1]) : 60;
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    QLabel* lastHeard[UNIT_COUNT];
    for (QLabel*& label : lastHeard)
        layout->addWidget(label = new QLabel(QStringLiteral("-")));
    dialog.show();

    QSerialPort ports[UNIT_COUNT];
    openPorts(ports);
    char queries[UNIT_COUNT][QUERY_SIZE] = {};
    for (int k = 0; k < UNIT_COUNT; ++k)
        makerOf(k).buildQuery(queries[k]);

    const std::time_t start = std::time(nullptr);
    while (std::difftime(std::time(nullptr), start) < seconds) {
        for (int k = 0; k < UNIT_COUNT; ++k) {
            if (ports[k].isOpen()) {
                ports[k].write(queries[k], makerOf(k).queryLength(queries[k]));
                ports[k].flush();
            }
        }
        const std::time_t asked = std::time(nullptr);
        double waited = 0;
        do {
            QApplication::processEvents();
            waited = std::difftime(std::time(nullptr), asked);
            QThread::msleep(100);
        } while (waited < 2.0);
        for (int k = 0; k < UNIT_COUNT; ++k) {
            if (!ports[k].isOpen())
                continue;
            ports[k].waitForReadyRead(0);
            const QByteArray reply = ports[k].read(READ_SIZE);
            lastHeard[k]->setText(reply.isEmpty()
                                      ? QStringLiteral("silent")
                                      : QString::fromLatin1(std::ctime(&asked)).trimmed());
        }
    }
    return 0;
}
