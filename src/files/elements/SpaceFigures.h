// The space an element needs on a drive and how the figures are shown.
#pragma once

#include <cstdint>
#include <string>

class CInstElement;
class FileList;

// Bytes the element's files need on a volume with this cluster size; 0 for an
// element without a file tree.
uint64_t SpaceNeeded(const CInstElement& element, uint64_t clusterSize, const FileList& sourceFiles);

// bytes as whole KB, rounded half up.
double WholeKilobytes(double bytes);

// A space figure as the dialogs print it ("%.0f").
std::wstring SpaceText(double value);
