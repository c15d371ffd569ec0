#pragma once
// The CMake build type a benchmark was built in: ratios to native code
// differ between build types, so the output names the one measured.
inline const char* BenchBuildType() { return ORV_BUILD_TYPE[0] ? ORV_BUILD_TYPE : "(none)"; }
