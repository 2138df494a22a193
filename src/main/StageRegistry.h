#pragma once

#include "main/StageFrame.h"
#include "station/StageCode.h"

#include <functional>
#include <map>

class StationWindow;

// The table of stage codes: what startStage creates for a code and how it starts it.
// The program entry fills it with the stage units; tests may register frames of their own.
class StageRegistry {
public:
    // Creates the frame with the main window as its Qt parent (the main window owns it).
    using Factory = std::function<StageFrame*(StationWindow&)>;
    using Starter = std::function<void(StageFrame&)>;

    struct Entry {
        Factory create;
        Starter start;
    };

    void add(StageCode code, Factory create, Starter start);

    template <class Frame> void add(StageCode code) {
        add(
            code, [](StationWindow& main) -> StageFrame* { return new Frame(main); },
            [](StageFrame& frame) { frame.start(); });
    }

    // Null for a code that names no stage.
    const Entry* find(StageCode code) const;

private:
    std::map<StageCode, Entry> m_entries;
};
