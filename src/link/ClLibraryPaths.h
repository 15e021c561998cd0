#pragma once
// Where the Camera Link serial libraries are looked for on Linux. The names and folders are ours
// to choose (the standard fixes them only on Windows):
// - 2000 generation: every file named clser*.so or libclser*.so in one folder, by default the
//   platform's shared-library folder (/usr/lib/<multiarch>, e.g. /usr/lib/x86_64-linux-gnu),
//   or the folder in $VR8200_CLSER_DIR. Vendors ship libclserXXX.so; the standard's dispatcher
//   looks for clserXXX.so, often links to the vendor file.
// - 2001 generation: libclserial.so through the loader's search order, or $VR8200_CLSERIAL_LIB.
// - ver. 1.1 dispatcher: libclallserial.so through the loader's search order, or
//   $VR8200_CLALLSERIAL_LIB (the dispatcher shipped today carries a decorated name such as
//   libCLAllSerial_<compiler>_v<maj>_<min>.so; point the variable at it).
// The variables are read at each use, so a test or an odd install can point them elsewhere.

#include <string>
#include <vector>

namespace vr::link {

std::string Cl2000Folder();
std::string Cl2001LibraryName();
std::string ClVer11LibraryName();

// File names (name only) of the 2000-generation libraries in folder, sorted by name so the
// indices stay the same from run to run; empty when the folder cannot be read.
std::vector<std::string> FindCl2000Libraries(const std::string& folder);

}  // namespace vr::link
