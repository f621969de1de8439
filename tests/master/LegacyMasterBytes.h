// Test support for the tests of master/: LegacyMasterBytes.
#pragma once
#include <cstdint>
#include <string>

#include "master/BukakeFile.h"
#include "master/HenkaritsuFile.h"
#include "master/ProgramKingakuFile.h"
#include "master/ShokeihiFile.h"
#include "master/TankaFile.h"
#include "master/ZairyoTankaFile.h"

// Master files in the layout of a given (older) file version, written from a model: the fields that
// version did not have are left out. The data version is written only where that version has one.
// Written independently of the models' own streams, so that tests can check the readers against it.
namespace legacy {

std::string BukakeBytes(const CBukakeFile& file, int32_t version);
std::string HenkaritsuBytes(const CHenkaritsuFile& file, int32_t version);
std::string TankaBytes(const CTankaFile& file, int32_t version);
std::string ZairyoTankaBytes(const CZairyoTankaFile& file, int32_t version);
std::string ShokeihiBytes(const CShokeihiFile& file, int32_t version);
std::string ProgramKingakuBytes(const CProgramKingakuFile& file, int32_t version);

}  // namespace legacy
