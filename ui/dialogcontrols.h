#pragma once

#include "controlids.h"
#include "units.h"

#include <QString>

class LampWidget;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class StatusDisplay;

// The main dialog's controls as the layout made them: typed, for the
// dialog's own use, and filed by identifier, for the engine, which names a
// control by its number alone. Unit k's controls are element k.
class DialogControls {
public:
    QCheckBox* portChecks[UNIT_COUNT] = {};
    QComboBox* makerLists[UNIT_COUNT] = {};
    QLineEdit* batteryMakers[UNIT_COUNT] = {};
    QComboBox* batteryTypes[UNIT_COUNT] = {};
    QLineEdit* capacities[UNIT_COUNT] = {};
    QLineEdit* comments[UNIT_COUNT] = {};
    StatusDisplay* startTimes[UNIT_COUNT] = {};
    StatusDisplay* lastResponses[UNIT_COUNT] = {};
    StatusDisplay* endurances[UNIT_COUNT] = {};
    LampWidget* lamps[LAMP_COUNT] = {};
    QPushButton* startTest = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QPushButton* about = nullptr;

    // Files a control under its identifier.
    void file(int nId, QWidget* control);
    // The control with this identifier, or nullptr.
    QWidget* byId(int nId) const;

    // "control<nId>": the object name of the control with that identifier,
    // in the main dialog and the About box alike.
    static QString objectName(int nId);

private:
    // Every identifier of the dialog lies in this range, but the three
    // commands, which have slots of their own after it.
    static constexpr int FIRST_ID = IDC_SETUP_FRAME;
    static constexpr int LAST_ID = IDC_LAMP_BASE + LAMP_COUNT - 1;
    static constexpr int COMMANDS[] = {IDC_OK, IDC_CANCEL, IDC_ABOUT};
    static constexpr int SLOTS = LAST_ID - FIRST_ID + 1 + 3;
    static int slotOf(int nId);

    QWidget* m_byId[SLOTS] = {};
};
