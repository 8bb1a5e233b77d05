#include "ConfReader.h"

#include "FileBytes.h"
#include "NumberText.h"
#include "TextEncoding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <pugixml.hpp>

namespace velto {
namespace {

// ---------------------------------------------------------------------------------------------------
// Memory of the document tree. A conf.xml is a few kilobytes; a document tree costs about 64 bytes per
// element and 40 per attribute, so a hostile file made of nothing but tiny elements would take many
// times its own size in memory. While a file is parsed its tree may take at most three times the
// file's bytes (and never less than kTreeFloor), so that the file and its tree stay within four times
// its size; past that the parser is refused memory and the file is reported as unreadable, with the
// parser's own description.

constexpr std::size_t kTreeFloor = std::size_t{64} << 20;

thread_local std::size_t* treeAllowance = nullptr;

void* AllocateWithinAllowance(std::size_t size) {
    if (treeAllowance != nullptr) {
        if (size > *treeAllowance)
            return nullptr;
        *treeAllowance -= size;
    }
    return std::malloc(size);
}

void Deallocate(void* pointer) {
    std::free(pointer);
}

class TreeAllowance {
public:
    explicit TreeAllowance(std::size_t fileSize) : remaining_(std::max(3 * fileSize, kTreeFloor)) {
        static std::once_flag installed;
        std::call_once(installed,
                       [] { pugi::set_memory_management_functions(AllocateWithinAllowance, Deallocate); });
        treeAllowance = &remaining_;
    }
    ~TreeAllowance() { treeAllowance = nullptr; }
    TreeAllowance(const TreeAllowance&) = delete;
    TreeAllowance& operator=(const TreeAllowance&) = delete;

private:
    std::size_t remaining_;
};

// ---------------------------------------------------------------------------------------------------
// The sections and the one rule table that drives them.

enum class Section { Device, Group, Load, Aux, Probe, Camera, Scf420, Mh200 };

// The attributes the reader looks at, found in one pass over an element's attributes, as UTF-8 text.
// The first of each name counts, as a lookup by name would find it. The file is parsed without
// replacing references, and each value is decoded on its own, so that one value in an old code page
// does not change how the others read; a value that needs no decoding is used where it lies.
enum class Attr { name, point, group, pull, type, dimmer, priority, number, adr, cenact, cendis, Count };

// Where the decoded values are kept; the reader keeps one, so its buffers are reused.
using DecodedValues = std::array<std::string, std::size_t(Attr::Count)>;

class Attributes {
public:
    Attributes(const pugi::xml_node& node, DecodedValues& decoded) {
        for (pugi::xml_attribute attribute = node.first_attribute(); attribute;
             attribute = attribute.next_attribute()) {
            const std::optional<Attr> which = Recognise(attribute.name());
            if (!which || has(*which))
                continue;
            const auto index = std::size_t(*which);
            const std::string_view value = attribute.value();
            if (IsPlainAttributeValue(value)) {
                values_[index] = value;
            } else {
                decoded[index] = AttributeValueToUtf8(value);
                values_[index] = decoded[index];
            }
        }
    }

    // A present attribute's view is never null, even when its value is empty.
    bool has(Attr which) const { return values_[std::size_t(which)].data() != nullptr; }
    // The attribute's value; empty text when the element has no such attribute.
    std::string_view operator[](Attr which) const { return values_[std::size_t(which)]; }

private:
    // Whether a NUL-terminated name, after the first character already matched, is the given name.
    static bool RestIs(const char* name, std::string_view expected) {
        for (std::size_t i = 1; i < expected.size(); ++i) {
            if (name[i] != expected[i])
                return false;
        }
        return name[expected.size()] == '\0';
    }

    static std::optional<Attr> Recognise(const char* name) {
        const auto is = [name](std::string_view candidate) { return RestIs(name, candidate); };
        switch (name[0]) {
        case 'n':
            return is("name") ? Attr::name : is("number") ? std::optional(Attr::number) : std::nullopt;
        case 'p':
            return is("point")      ? Attr::point
                   : is("pull")     ? std::optional(Attr::pull)
                   : is("priority") ? std::optional(Attr::priority)
                                    : std::nullopt;
        case 'g':
            return is("group") ? std::optional(Attr::group) : std::nullopt;
        case 't':
            return is("type") ? std::optional(Attr::type) : std::nullopt;
        case 'd':
            return is("dimmer") ? std::optional(Attr::dimmer) : std::nullopt;
        case 'a':
            return is("adr") ? std::optional(Attr::adr) : std::nullopt;
        case 'c':
            return is("cenact") ? Attr::cenact : is("cendis") ? std::optional(Attr::cendis) : std::nullopt;
        default:
            return std::nullopt;
        }
    }

    std::array<std::string_view, std::size_t(Attr::Count)> values_{};
};

enum class RangeTest {
    None,           // devices: any point that fits a slot
    ZeroOrAbove,    // out of range when the key equals 0 or is above the highest key
    BelowOneOrAbove // out of range when the key is below 1 or above the highest key
};

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
};

// In the order the sections are read, whatever the order of the elements in the file.
constexpr SectionRule kSections[] = {
    {Section::Device, "device", "//device", Attr::point, RangeTest::None, 0, kDeviceSlots - 1,
     ReaderMessage::BadParameters, ReaderMessage::DeviceDuplicate},
    {Section::Group, "group", "//group", Attr::group, RangeTest::ZeroOrAbove, kMaxGroup, kMaxGroup,
     ReaderMessage::GroupInvalid, ReaderMessage::GroupDuplicate},
    {Section::Load, "load", "//load", Attr::priority, RangeTest::ZeroOrAbove, kMaxLoad, kMaxLoad,
     ReaderMessage::LoadInvalid, ReaderMessage::LoadDuplicate},
    {Section::Aux, "aux", "//aux", Attr::number, RangeTest::ZeroOrAbove, kMaxAux, kMaxAux,
     ReaderMessage::AuxInvalid, ReaderMessage::AuxDuplicate},
    {Section::Probe, "probe", "//probe", Attr::number, RangeTest::ZeroOrAbove, kMaxProbe, kMaxProbe,
     ReaderMessage::ProbeInvalid, ReaderMessage::ProbeDuplicate},
    {Section::Camera, "camera", "//camera", Attr::number, RangeTest::ZeroOrAbove, kMaxCamera, kMaxCamera,
     ReaderMessage::CameraInvalid, ReaderMessage::CameraDuplicate},
    {Section::Scf420, "scf420", "//scf420", Attr::number, RangeTest::ZeroOrAbove, kMaxScenario, kMaxScenario,
     ReaderMessage::F420Invalid, ReaderMessage::F420Duplicate},
    {Section::Mh200, "scmh200", "//scmh200", Attr::number, RangeTest::BelowOneOrAbove, kMaxMh200, kMaxMh200,
     ReaderMessage::Mh200Invalid, ReaderMessage::Mh200Duplicate},
};

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

// The text of the slot's field that tells whether the slot is taken (the MH200 section tests its name
// in its own steps).
const std::string& DuplicateTestField(const ConfigModel& model, Section section, int slot) {
    switch (section) {
    case Section::Device:
        return model.DeviceTable[slot].typeCode;
    case Section::Group:
        return model.GroupTable[slot];
    case Section::Load:
        return model.LoadTable[slot];
    case Section::Aux:
        return model.AuxTable[slot];
    case Section::Probe:
        return model.ProbeTable[slot];
    case Section::Camera:
        return model.CameraTable[slot].name;
    case Section::Scf420:
        return model.ScenarioTable[slot].name;
    case Section::Mh200:
        break;
    }
    return model.Mh200ScenarioTable[slot].name;
}

std::string* NameOnlySlot(ConfigModel& model, Section section, int slot) {
    switch (section) {
    case Section::Group:
        return &model.GroupTable[slot];
    case Section::Load:
        return &model.LoadTable[slot];
    case Section::Aux:
        return &model.AuxTable[slot];
    case Section::Probe:
        return &model.ProbeTable[slot];
    default:
        return nullptr;
    }
}

// A cen command is valid when its leading number lies in 99..9999 and it has at least four characters
// ("0099" is valid, "100" is not).
bool IsValidCenCommand(std::string_view command) {
    const double value = LeadingNumber(command);
    return value >= 99 && value <= 9999 && CountCharacters(command) >= 4;
}

bool EqualsPullIgnoringCase(std::string_view text) {
    constexpr std::string_view pull = "pull";
    if (text.size() != pull.size())
        return false;
    for (std::size_t i = 0; i < pull.size(); ++i) {
        const char lower =
            text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (lower != pull[i])
            return false;
    }
    return true;
}

// A rounded number when it fits 0..255.
std::optional<std::uint8_t> AsByte(std::optional<double> value) {
    const auto rounded = value ? RoundHalfEven(*value) : std::nullopt;
    if (!rounded || *rounded < 0 || *rounded > 255)
        return std::nullopt;
    return static_cast<std::uint8_t>(*rounded);
}

class SectionReader {
public:
    SectionReader(ConfigModel& model, const NoticeSink& sink) : model_(model), sink_(sink) {}

    // Reads every section; false when a stop ended the reading.
    bool ReadAll(const pugi::xml_document& document) {
        for (const SectionRule& rule : kSections) {
            pugi::xpath_node_set elements = document.select_nodes(rule.query);
            elements.sort();
            for (const pugi::xpath_node& element : elements) {
                if (!ReadElement(rule, element.node()))
                    return false;
            }
        }
        return true;
    }

private:
    enum Outcome : bool { Stopped = false, GoOn = true };

    // One element as the rules see it: its section and the attributes they look at.
    struct Element {
        const SectionRule& rule;
        Attributes attributes;

        std::string_view keyText() const { return attributes[rule.keyAttribute]; }
        bool has(Attr which) const { return attributes.has(which); }
        std::string_view operator[](Attr which) const { return attributes[which]; }
    };

    void Report(NoticeKind kind, ReaderMessage message, const Element& element) {
        if (!sink_)
            return;
        Notice notice;
        notice.kind = kind;
        notice.section = element.rule.element;
        notice.message = message;
        notice.keyText = element.keyText();
        notice.name = element[Attr::name];
        sink_(notice);
    }

    Outcome Stop(const Element& element) {
        Report(NoticeKind::Stop, ReaderMessage::BadParameters, element);
        return Stopped;
    }

    Outcome Invalid(const Element& element, ReaderMessage message) {
        Report(NoticeKind::Invalid, message, element);
        return GoOn;
    }

    Outcome Duplicate(const Element& element) {
        Report(NoticeKind::Duplicate, element.rule.duplicate, element);
        return GoOn;
    }

    Outcome ReadElement(const SectionRule& rule, const pugi::xml_node& node) {
        const Element element{rule, Attributes(node, decoded_)};
        const auto key = WholeNumber(element.keyText());
        if (!key)
            return Stop(element);
        if (OutOfRange(rule, *key))
            return Invalid(element, rule.invalid);
        const auto slot = RoundHalfEven(*key);
        if (!slot || *slot < 0 || *slot > rule.lastSlot)
            return Stop(element);
        const int index = static_cast<int>(*slot);

        switch (rule.section) {
        case Section::Device:
            return ReadDevice(element, index);
        case Section::Camera:
            return ReadCamera(element, index);
        case Section::Mh200:
            return ReadMh200(element, index);
        default:
            break;
        }
        if (!DuplicateTestField(model_, rule.section, index).empty())
            return Duplicate(element);
        if (rule.section == Section::Scf420) {
            model_.ScenarioTable[index].name = element[Attr::name];
            model_.ScenarioTable[index].address = element[Attr::adr];
        } else {
            *NameOnlySlot(model_, rule.section, index) = element[Attr::name];
        }
        return GoOn;
    }

    // Each field is written as soon as it is read, so a device that stops the reading keeps what came
    // before the value that stopped it.
    Outcome ReadDevice(const Element& element, int slot) {
        DeviceRecord& device = model_.DeviceTable[slot];
        if (!device.typeCode.empty()) {
            Duplicate(element);
            return NextDevicePosition(element);
        }
        if (position_ > 255)
            return Stop(element);
        device.inUse = static_cast<std::uint8_t>(position_);

        if (!element.has(Attr::name))
            return Stop(element);
        device.name = element[Attr::name];
        if (!element.has(Attr::type))
            return Stop(element);
        device.typeCode = element[Attr::type];
        if (!element.has(Attr::group))
            return Stop(element);
        const auto group = AsByte(LeadingNumber(element[Attr::group]));
        if (!group)
            return Stop(element);
        device.group = *group;

        if (EqualsPullIgnoringCase(element[Attr::pull]))
            device.pull = true;
        const std::string_view dimmer = element[Attr::dimmer];
        if (!dimmer.empty()) {
            const auto level = AsByte(WholeNumber(dimmer));
            if (!level)
                return Stop(element);
            device.dimmer = *level;
        }
        return NextDevicePosition(element);
    }

    // The position is a 16-bit signed count: one past 32767 cannot be held and ends the reading like
    // any other value that cannot be read.
    Outcome NextDevicePosition(const Element& element) {
        if (position_ == std::numeric_limits<std::int16_t>::max())
            return Stop(element);
        ++position_;
        return GoOn;
    }

    // The name is stored first, then the address; a later check does not undo an earlier write.
    Outcome ReadCamera(const Element& element, int slot) {
        CameraRecord& camera = model_.CameraTable[slot];
        if (!camera.name.empty())
            return Duplicate(element);
        camera.name = element[Attr::name];
        if (!element.has(Attr::type) || !element.has(Attr::adr))
            return Stop(element);
        const std::string_view riser = element[Attr::type];
        const std::string_view address = element[Attr::adr];
        if (address.empty())
            return Invalid(element, element.rule.invalid);
        const double number = LeadingNumber(address);
        if (!std::isfinite(number)) // an address too large to hold cannot be read
            return Stop(element);
        camera.address = ShortestDecimal(number);
        if (number < 4000 || number > 5000)
            return Invalid(element, element.rule.invalid);
        if (riser != "1" && riser != "2")
            return Invalid(element, element.rule.invalid);
        if (riser == "2")
            camera.address += kLocalRiserMark;
        return GoOn;
    }

    // A second element with the same number keeps the first name but replaces the cen commands when
    // its own are valid.
    Outcome ReadMh200(const Element& element, int slot) {
        Mh200Record& scenario = model_.Mh200ScenarioTable[slot];
        if (scenario.name.empty()) {
            if (!element.has(Attr::name))
                return Stop(element);
            scenario.name = element[Attr::name];
        } else {
            Duplicate(element);
        }
        if (!element.has(Attr::cenact))
            return Stop(element);
        const std::string_view activation = element[Attr::cenact];
        if (!IsValidCenCommand(activation))
            return Invalid(element, ReaderMessage::CenActInvalid);
        scenario.cenActivation = activation;
        if (!element.has(Attr::cendis))
            return Stop(element);
        const std::string_view deactivation = element[Attr::cendis];
        if (!IsValidCenCommand(deactivation))
            return Invalid(element, ReaderMessage::CenDisInvalid);
        scenario.cenDeactivation = deactivation;
        return GoOn;
    }

    ConfigModel& model_;
    const NoticeSink& sink_;
    DecodedValues decoded_;
    int position_ = 1;
};

// ---------------------------------------------------------------------------------------------------

void ReportFileFailure(const NoticeSink& sink, NoticeKind kind, std::string reason) {
    if (!sink)
        return;
    Notice notice;
    notice.kind = kind;
    notice.reason = std::move(reason);
    sink(notice);
}

void ReadVersion(const pugi::xml_document& document, std::string& fileVersion, const NoticeSink& sink) {
    const pugi::xml_node version = document.select_node("//version").node();
    if (const pugi::xml_attribute number = version.attribute("number"))
        fileVersion = AttributeValueToUtf8(number.value());
    if (fileVersion != kCurrentFileVersion && sink) {
        Notice notice;
        notice.kind = NoticeKind::OldVersion;
        notice.message = ReaderMessage::OldVersion;
        sink(notice);
    }
}

// Parses the file's bytes in place and reads them into the tables.
bool ParseAndRead(std::string& bytes, ConfigModel& model, std::string& fileVersion, const NoticeSink& sink) {
    if (HasUtf16ByteOrderMark(bytes))
        bytes = Utf16ToUtf8(bytes);
    const unsigned options = (pugi::parse_default | pugi::parse_embed_pcdata) & ~pugi::parse_escapes;
    pugi::xml_document document;
    pugi::xml_parse_result parsed;
    {
        TreeAllowance allowance(bytes.size());
        parsed = document.load_buffer_inplace(bytes.data(), bytes.size(), options, pugi::encoding_utf8);
    }
    if (!parsed) {
        ReportFileFailure(sink, NoticeKind::ParseFailure,
                          std::string(parsed.description()) + " at offset " + std::to_string(parsed.offset));
        return false;
    }
    ReadVersion(document, fileVersion, sink);
    return SectionReader(model, sink).ReadAll(document);
}

// Reads into a fresh configuration, which replaces model however the reading ends: read to its end,
// stopped, or the file refused. Only an exception (running out of memory, above all) leaves model and
// fileVersion as they were.
template <typename Read> bool ReadIntoFresh(ConfigModel& model, std::string& fileVersion, Read read) {
    auto fresh = std::make_unique<ConfigModel>();
    std::string version;
    const bool completed = read(*fresh, version);
    model = std::move(*fresh);
    fileVersion = std::move(version);
    return completed;
}

} // namespace

bool LoadConfigFile(const std::string& path, ConfigModel& model, std::string& fileVersion,
                    const NoticeSink& sink) {
    return ReadIntoFresh(model, fileVersion, [&](ConfigModel& fresh, std::string& version) {
        std::string bytes;
        std::string error;
        if (!ReadRegularFile(path, kMaxConfigFileSize, bytes, error)) {
            ReportFileFailure(sink, NoticeKind::CannotRead, std::move(error));
            return false;
        }
        return ParseAndRead(bytes, fresh, version, sink);
    });
}

bool LoadConfigBytes(std::string_view bytes, ConfigModel& model, std::string& fileVersion,
                     const NoticeSink& sink) {
    return ReadIntoFresh(model, fileVersion, [&](ConfigModel& fresh, std::string& version) {
        std::string copy(bytes); // parsed in place
        return ParseAndRead(copy, fresh, version, sink);
    });
}

} // namespace velto
