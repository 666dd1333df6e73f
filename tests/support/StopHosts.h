// A solver host for stop tests: it stops the solve the first time it is asked to process messages, as a
// click on Stop would, and counts how often it was asked.
#pragma once

#include "engine/Search.h"

using namespace kalvoro::engine;

struct TStopOnMessagesHost : ISolverHost {
    int messageCalls = 0;
    int stopQueries = 0;
    bool stop = false;
    bool StopRequested() override
    {
        ++stopQueries;
        return stop;
    }
    void ProcessMessages() override
    {
        ++messageCalls;
        stop = true;
    }
};
