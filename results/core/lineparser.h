#pragma once

#include "resultrecord.h"

#include <QStringView>

class TextPool;

// Reads one line of a result log:
//   COMn, <receiver>, <maker>, <type>, <mAh>, <start>, <end>, <hh:mm:ss>, <comments>
// The receiver and the battery texts may hold commas, so the line is not cut
// at its commas. It is anchored instead on the only run of fields whose shape
// never varies: the two times and the endurance, each followed by ", ". The
// first such run after the port is taken (a copy of one in the comments comes
// later and stays part of them); what lies before it is split by
// FieldSplitter, what follows is the comments, commas and all. A line ending
// in "," instead of ", " when it has no comments, as an editor that strips
// trailing blanks leaves it, is read too.
class LineParser {
public:
    // line comes without its line end. False, with reason set to a sentence
    // saying why, when it is not a line of results. Texts that recur from
    // line to line (receiver, battery, comments) come from pool when given.
    static bool parse(QStringView line, ResultRecord* record, QString* reason,
                      TextPool* pool = nullptr);
};
