#include "DriveFaults.h"

#include <algorithm>

namespace dvq3test {

DriveFaults::DriveFaults() {
    dvq3::SetDriveFaultHook([this](dvq3::DriveOp op, const QString& path) {
        seen_.push_back(op);
        for (Rule& rule : rules_) {
            if (rule.op != op || rule.times == 0 || !path.contains(rule.pathPart))
                continue;
            if (rule.times > 0)
                --rule.times;
            return rule.errnoValue;
        }
        return 0;
    });
}

DriveFaults::~DriveFaults() {
    dvq3::SetDriveFaultHook({});
}

void DriveFaults::fail(dvq3::DriveOp op, int errnoValue, const QString& pathPart, int times) {
    rules_.push_back({op, errnoValue, pathPart, times});
}

int DriveFaults::count(dvq3::DriveOp op) const {
    return static_cast<int>(std::count(seen_.begin(), seen_.end(), op));
}

} // namespace dvq3test
