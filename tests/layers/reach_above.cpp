// Compiled against one layer with a header of a layer above it: the build
// must refuse it, since a layer sees only itself and what is below it.
#include REACHED_HEADER
