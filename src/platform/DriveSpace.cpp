#include "platform/DriveSpace.h"

#include <windows.h>

DriveSpace GetDriveSpace(wchar_t driveLetter)
{
    DriveSpace space;
    const wchar_t root[] = {driveLetter, L':', L'\\', 0};
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (!::GetDiskFreeSpaceW(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &totalClusters))
        return space;
    space.known = true;
    space.clusterSize = uint64_t{sectorsPerCluster} * bytesPerSector;
    space.freeBytes = space.clusterSize * freeClusters;
    return space;
}
