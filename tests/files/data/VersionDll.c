/* A library that carries nothing but (optionally) a version resource. */
int VersionDllMarker(void) { return 1; }
