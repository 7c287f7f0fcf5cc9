#pragma once

#include "sheets/windows/ScanAnswerSheet.h"
#include "station/ChainWindow.h"

// The station's own windows for its chains, each made when it opens and gone when it closes.
class StationWindows : public dvq3::WindowOpener {
public:
    explicit StationWindows(dvq3::ScanStation scanStation) : scanStation_(std::move(scanStation)) {}

    bool open(dvq3::ChainWindow window, dvq3::Session& session) override;

private:
    dvq3::ScanStation scanStation_;
};
