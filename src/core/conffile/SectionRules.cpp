#include "SectionRules.h"

namespace velto {
namespace {

template <auto Table> const std::string& NameIn(const ConfigModel& model, int slot) {
    return (model.*Table)[slot];
}

template <auto Table> void StoreName(ConfigModel& model, int slot, const Attributes& attributes) {
    (model.*Table)[slot] = attributes[Attr::name];
}

template <auto Table> const std::string& RecordNameIn(const ConfigModel& model, int slot) {
    return (model.*Table)[slot].name;
}

const std::string& DeviceTypeIn(const ConfigModel& model, int slot) {
    return model.DeviceTable[slot].typeCode;
}

// An F420 scenario keeps its name and its address as the file writes them.
void StoreScenario(ConfigModel& model, int slot, const Attributes& attributes) {
    model.ScenarioTable[slot] = {std::string(attributes[Attr::name]), std::string(attributes[Attr::adr])};
}

using M = ReaderMessage;
using C = ConfigModel;

} // namespace

const std::array<SectionRule, 8> kSections{{
    {Section::Device, "device", "//device", Attr::point, RangeTest::None, 0, kDeviceSlots - 1,
     M::BadParameters, M::DeviceDuplicate, DeviceTypeIn, nullptr},
    {Section::Group, "group", "//group", Attr::group, RangeTest::ZeroOrAbove, kMaxGroup, kMaxGroup,
     M::GroupInvalid, M::GroupDuplicate, NameIn<&C::GroupTable>, StoreName<&C::GroupTable>},
    {Section::Load, "load", "//load", Attr::priority, RangeTest::ZeroOrAbove, kMaxLoad, kMaxLoad,
     M::LoadInvalid, M::LoadDuplicate, NameIn<&C::LoadTable>, StoreName<&C::LoadTable>},
    {Section::Aux, "aux", "//aux", Attr::number, RangeTest::ZeroOrAbove, kMaxAux, kMaxAux, M::AuxInvalid,
     M::AuxDuplicate, NameIn<&C::AuxTable>, StoreName<&C::AuxTable>},
    {Section::Probe, "probe", "//probe", Attr::number, RangeTest::ZeroOrAbove, kMaxProbe, kMaxProbe,
     M::ProbeInvalid, M::ProbeDuplicate, NameIn<&C::ProbeTable>, StoreName<&C::ProbeTable>},
    {Section::Camera, "camera", "//camera", Attr::number, RangeTest::ZeroOrAbove, kMaxCamera, kMaxCamera,
     M::CameraInvalid, M::CameraDuplicate, RecordNameIn<&C::CameraTable>, nullptr},
    {Section::Scf420, "scf420", "//scf420", Attr::number, RangeTest::ZeroOrAbove, kMaxScenario, kMaxScenario,
     M::F420Invalid, M::F420Duplicate, RecordNameIn<&C::ScenarioTable>, StoreScenario},
    {Section::Mh200, "scmh200", "//scmh200", Attr::number, RangeTest::BelowOneOrAbove, kMaxMh200, kMaxMh200,
     M::Mh200Invalid, M::Mh200Duplicate, RecordNameIn<&C::Mh200ScenarioTable>, nullptr},
}};

bool OutOfRange(const SectionRule& rule, double key) {
    switch (rule.range) {
    case RangeTest::None:
        return false;
    case RangeTest::ZeroOrAbove:
        return key == 0 || key > rule.highestKey;
    case RangeTest::BelowOneOrAbove:
        return key < 1 || key > rule.highestKey;
    }
    return false;
}

} // namespace velto
