#pragma once

#include <array>
#include <cstdint>
#include <string>

// The installation held in memory: fixed tables, each indexed by the record's own key.
// A slot is either free or holds the record with that key; walks run in ascending key order.
// Texts are UTF-8.
namespace velto {

struct DeviceRecord {
    std::string name;
    bool pull = false;       // only the reader sets it
    std::uint8_t group = 0;  // 0 = no group, otherwise 1..9 (the reader may store up to 255)
    std::string typeCode;    // "1", "2" or "1d" from the editor; anything from a file
    std::uint8_t dimmer = 0; // only the reader sets it
    std::uint8_t inUse = 0;  // 0 = free slot, otherwise the device's 1-based position
    bool operator==(const DeviceRecord&) const = default;
};

struct CameraRecord {
    std::string name;
    std::string address; // digits, then "#2" when the riser is not private; empty = free
    bool operator==(const CameraRecord&) const = default;
};

struct ScenarioRecord {
    std::string name;
    std::string address; // digits, then "#4#" and the bus 1..9 on a local bus; empty = free
    bool operator==(const ScenarioRecord&) const = default;
};

struct Mh200Record {
    std::string name; // empty = free
    std::string cenActivation;
    std::string cenDeactivation;
    bool operator==(const Mh200Record&) const = default;
};

inline constexpr int kDeviceSlots = 1000;
inline constexpr int kMaxDeviceAddress = 99;
inline constexpr int kMaxGroup = 9;
inline constexpr int kMaxAux = 9;
inline constexpr int kMaxLoad = 16;
inline constexpr int kMaxProbe = 99;
inline constexpr int kMaxCamera = 12;
inline constexpr int kMaxScenario = 16;
inline constexpr int kMaxMh200 = 100;

struct ConfigModel {
    std::array<DeviceRecord, kDeviceSlots> DeviceTable;
    std::array<std::string, kMaxGroup + 1> GroupTable;
    std::array<std::string, kMaxAux + 1> AuxTable;
    std::array<std::string, kMaxLoad + 1> LoadTable;
    std::array<std::string, kMaxProbe + 1> ProbeTable;
    std::array<CameraRecord, kMaxCamera + 1> CameraTable;
    std::array<ScenarioRecord, kMaxScenario + 1> ScenarioTable;
    std::array<Mh200Record, kMaxMh200 + 1> Mh200ScenarioTable;
};

// Empties every slot of every table, device slots 0..999 and the MH200 commands included, so that
// nothing of one file survives into the next one read.
void ClearConfiguration(ConfigModel& model);

// Frees one device slot (the fields an editor writes); the other devices keep their positions.
void FreeDeviceSlot(DeviceRecord& device);

// Gives the devices at addresses 1..99 the positions 1, 2, 3... in address order.
void RenumberDevices(ConfigModel& model);

// Three questions about a slot, each answered here alone.
//
// InUse: the slot holds a record by its table's test (a device's in-use mark, a name, a camera's or
// a scenario's address, an MH200 scenario's name). The grids and the report list these records, and
// an editor finds their key taken.
bool InUse(const DeviceRecord& device);
bool InUse(const std::string& name);
bool InUse(const CameraRecord& camera);
bool InUse(const ScenarioRecord& scenario);
bool InUse(const Mh200Record& scenario);

// SaveWrites: a save writes the record held in slot key: one in use at a key the file can carry
// (1 and up, devices up to 99), a camera only with a name as well; an MH200 scenario never.
bool SaveWrites(const DeviceRecord& device, int address);
bool SaveWrites(const std::string& name, int key);
bool SaveWrites(const CameraRecord& camera, int number);
bool SaveWrites(const ScenarioRecord& scenario, int number);
bool SaveWrites(const Mh200Record& scenario, int number);

// IsBlank: every field is as in a fresh slot, whatever the table's test says.
bool IsBlank(const DeviceRecord& device);
bool IsBlank(const std::string& name);
bool IsBlank(const CameraRecord& camera);
bool IsBlank(const ScenarioRecord& scenario);
bool IsBlank(const Mh200Record& scenario);

// Device type codes and the names the device list and grid show for them.
struct DeviceType {
    const char* code;
    const char* displayName;
};
inline constexpr std::array<DeviceType, 3> kDeviceTypes{{{"1", "dimmer"}, {"2", "autom."}, {"1d", "on/off"}}};

// The riser and bus markers carried inside stored addresses.
inline constexpr const char* kLocalRiserMark = "#2";
inline constexpr const char* kLocalBusMark = "#4#";

// The text of an address before its first "#".
std::string AddressProper(const std::string& storedAddress);
bool IsOnLocalRiser(const std::string& storedCameraAddress);

} // namespace velto
