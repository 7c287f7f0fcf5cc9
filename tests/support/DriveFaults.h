#pragma once

#include "platform/DriveFile.h"

#include <QString>

#include <vector>

namespace dvq3test {

// Makes chosen file operations fail, as a removed, full or write-protected drive would.
// Each rule fails the operation on paths containing pathPart; times < 0 means every time.
class DriveFaults {
public:
    DriveFaults();
    ~DriveFaults();

    void fail(dvq3::DriveOp op, int errnoValue, const QString& pathPart = {}, int times = -1);
    void clear() { rules_.clear(); }
    // How many operations of this kind were attempted.
    int count(dvq3::DriveOp op) const;

private:
    struct Rule {
        dvq3::DriveOp op;
        int errnoValue;
        QString pathPart;
        int times;
    };
    std::vector<Rule> rules_;
    std::vector<dvq3::DriveOp> seen_;
};

} // namespace dvq3test
