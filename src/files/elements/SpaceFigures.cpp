#include "files/elements/SpaceFigures.h"

#include "files/elements/InstElement.h"
#include "files/elements/FileItem.h"

#include <cmath>
#include <cwchar>

uint64_t SpaceNeeded(const CInstElement& element, uint64_t clusterSize, const FileList& sourceFiles)
{
    return element.fileTree ? element.fileTree->SizeOnDisk(clusterSize, sourceFiles) : 0;
}

double WholeKilobytes(double bytes)
{
    return std::floor(bytes / 1024.0 + 0.5);
}

std::wstring SpaceText(double value)
{
    wchar_t buffer[64] = {};
    std::swprintf(buffer, 64, L"%.0f", value);
    return buffer;
}
