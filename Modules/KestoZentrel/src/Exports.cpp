// libKestoZentrel.so: its entry points are defined in the core (FlatColour.cpp,
// ComClasses.cpp, Registration.cpp); the whole core is linked in and exports.map names
// what the library exports, in every build type.
