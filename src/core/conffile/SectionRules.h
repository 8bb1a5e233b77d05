#pragma once

#include "Attributes.h"
#include "ConfigModel.h"
#include "ReaderTexts.h"

#include <array>
#include <string>

namespace velto {

enum class Section { Device, Group, Load, Aux, Probe, Camera, Scf420, Mh200 };

enum class RangeTest {
    None,           // devices: any point that fits a slot
    ZeroOrAbove,    // out of range when the key equals 0 or is above the highest key
    BelowOneOrAbove // out of range when the key is below 1 or above the highest key
};

// How the reader takes one section of the file.
struct SectionRule {
    Section section;
    const char* element;
    const char* query;
    Attr keyAttribute;
    RangeTest range;
    int highestKey;
    int lastSlot;
    ReaderMessage invalid;
    ReaderMessage duplicate;
    // The field that is not empty while the slot holds a record: another record with its key is a
    // duplicate.
    const std::string& (*takenBy)(const ConfigModel& model, int slot);
    // Stores an accepted record in its slot; null where the section has steps of its own (devices,
    // cameras, MH200 scenarios).
    void (*store)(ConfigModel& model, int slot, const Attributes& attributes);
};

// In the order the sections are read, whatever the order of the elements in the file.
extern const std::array<SectionRule, 8> kSections;

bool OutOfRange(const SectionRule& rule, double key);

} // namespace velto
