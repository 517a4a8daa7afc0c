// Cluster size and free space of a drive.
#pragma once

#include <cstdint>

struct DriveSpace {
    bool known = false;             // false: the drive could not be queried
    uint64_t clusterSize = 1024;    // sectors per cluster x bytes per sector
    uint64_t freeBytes = 0;         // cluster size x free clusters
};

// GetDiskFreeSpaceW on "<letter>:\"; a drive that cannot be queried answers
// 1024 and 0 (known false).
DriveSpace GetDriveSpace(wchar_t driveLetter);
