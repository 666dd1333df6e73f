// What the main window asks of the user through standard dialogs: the record file dialogs and the error box.
// The window talks to them through IMainDialogs so that tests can answer in place of the user.
#pragma once

#include "widgets/RecordDialogs.h"

class IMainDialogs : public IRecordDialogs { };

// The real dialogs over `parent`.
class TMainDialogs : public TStandardRecordDialogs<IMainDialogs> {
public:
    using TStandardRecordDialogs<IMainDialogs>::TStandardRecordDialogs;
};
