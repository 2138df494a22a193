#pragma once

#include "main/StageFrame.h"

#include <functional>
#include <map>

class TfrmMain;

// The table of stage codes: what StartFrame creates for a code and how it starts it.
// The program entry fills it with the stage units; tests may register frames of their own.
class StageRegistry {
public:
    // Creates the frame with the main window as its Qt parent (the main window owns it).
    using Factory = std::function<StageFrame*(TfrmMain&)>;
    using Starter = std::function<void(StageFrame&)>;

    struct Entry {
        Factory create;
        Starter start;
    };

    void add(int code, Factory create, Starter start);

    template <class Frame> void add(int code) {
        add(
            code, [](TfrmMain& main) -> StageFrame* { return new Frame(main); },
            [](StageFrame& frame) { frame.Start(); });
    }

    // Null for a code that names no stage.
    const Entry* find(int code) const;

private:
    std::map<int, Entry> m_entries;
};
