// The SDK includes "lua\lua.h": clang's Microsoft mode reads the backslash as
// a separator, but the SDK's folder is "Lua", so this finds its lua.h through
// the build's -I of that folder.
#include <lua.h>
