#pragma once

#include <QString>
#include <QStringView>
#include <QVarLengthArray>

// Splits the part of a result line between "COMn, " and the start time into
// the receiver and the three battery texts (maker, type, mAh).
//
// Each of them is free text, written as "text, ", or " ," when empty, so a
// ", " inside a text looks exactly like the separator: "Acme, Inc., Ni-MH,
// 1800, " can be the maker "Acme, Inc." or the maker "Acme" with the type
// "Inc.". What the text alone cannot tell apart is settled by what Dunmerrow
// itself writes (logformat.h): the receiver's version text ends in
// "(Product ID=n)" or is empty, and the type is one of the BATTERY_TYPES the
// dialog offers. Every split is
// tried; those that fit this best are kept. When several remain, the one that
// leaves the type, the mAh and then the receiver with the fewest ", " wins,
// so the commas go to the battery maker (the one field a company name with a
// comma often fills), and the result says it was guessed.
//
// A line whose dialog lacked a battery control has one field less, with no
// trace of which one; such a line splits only if a text in it holds a ", ",
// and is then read with that text cut in two. A line with fewer separators
// than four fields need does not split at all.
class FieldSplitter {
public:
    // Parts of the text given to split().
    struct Fields {
        QStringView receiver;
        QStringView batteryMaker;
        QStringView batteryType;
        QStringView capacity;
        bool guessed = false;
    };

    // False, with reason set to a sentence, when part is not a receiver and
    // three battery fields. part ends with the separator before the start time.
    static bool split(QStringView part, Fields* fields, QString* reason);

private:
    struct Split {
        int receiverEnd; // position after the receiver's ", "
        int makerEnd;
        int typeEnd;
    };

    explicit FieldSplitter(QStringView part);
    bool isCut(int pos) const;
    bool isPiece(int from, int to) const;
    int commasIn(int from, int to) const;
    QStringView text(int from, int to) const;
    int knowledge(const Split& s) const;
    bool better(const Split& a, const Split& b) const;

    QStringView m_part;
    // On the stack for any line of ordinary length: a large log has a
    // hundred thousand of them.
    QVarLengthArray<int, 64> m_cuts;
    // m_commas[i]: how many ", " lie wholly before position i.
    QVarLengthArray<int, 512> m_commas;
};
