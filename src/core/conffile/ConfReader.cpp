#include "ConfReader.h"

#include "NumberText.h"
#include "TextEncoding.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <mutex>
#include <new>
#include <optional>
#include <pugixml.hpp>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

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
// The first of each name counts, as a lookup by name would find it. A UTF-8 file is parsed as it is
// and its values are ready; a Windows-1252 file is parsed without replacing references, and each value
// the reader looks at is decoded here, so the file never has to be held a second time in a wider form.
enum class Attr { name, point, group, pull, type, dimmer, priority, number, adr, cenact, cendis, Count };

// Where a Windows-1252 file's values are decoded; the reader keeps one, so its buffers are reused.
using DecodedValues = std::array<std::string, std::size_t(Attr::Count)>;

class Attributes {
public:
    // decoded is null for a UTF-8 file.
    Attributes(const pugi::xml_node& node, DecodedValues* decoded) {
        for (pugi::xml_attribute attribute = node.first_attribute(); attribute;
             attribute = attribute.next_attribute()) {
            const std::optional<Attr> which = Recognise(attribute.name());
            if (!which || has(*which))
                continue;
            const auto index = std::size_t(*which);
            if (decoded != nullptr) {
                (*decoded)[index] = Windows1252AttributeToUtf8(attribute.value());
                values_[index] = (*decoded)[index];
            } else {
                values_[index] = attribute.value();
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
    SectionReader(ConfigModel& model, const NoticeSink& sink, bool windows1252)
        : model_(model), sink_(sink), decoded_(windows1252 ? std::make_unique<DecodedValues>() : nullptr) {}

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
        const Element element{rule, Attributes(node, decoded_.get())};
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
    std::unique_ptr<DecodedValues> decoded_; // only for a Windows-1252 file
    int position_ = 1;
};

// ---------------------------------------------------------------------------------------------------

struct Buffer {
    std::unique_ptr<char[]> data;
    std::size_t size = 0;
};

void ReportFileFailure(const NoticeSink& sink, std::string reason, long long offset = -1) {
    if (!sink)
        return;
    Notice notice;
    notice.kind = NoticeKind::ParseFailure;
    notice.reason = std::move(reason);
    notice.offset = offset;
    sink(notice);
}

void ReadVersion(const pugi::xml_document& document, bool windows1252, std::string& fileVersion,
                 const NoticeSink& sink) {
    const pugi::xml_node version = document.select_node("//version").node();
    if (const pugi::xml_attribute number = version.attribute("number"))
        fileVersion = windows1252 ? Windows1252AttributeToUtf8(number.value()) : number.value();
    if (fileVersion != kCurrentFileVersion && sink) {
        Notice notice;
        notice.kind = NoticeKind::OldVersion;
        notice.message = ReaderMessage::OldVersion;
        sink(notice);
    }
}

// Parses the file's bytes in place and reads them into the tables. Bytes that are not UTF-8 are taken
// as Windows-1252, the code page older versions wrote.
bool ParseAndRead(Buffer& file, ConfigModel& model, std::string& fileVersion, const NoticeSink& sink) {
    const bool windows1252 = !IsValidUtf8(std::string_view(file.data.get(), file.size));
    unsigned options = pugi::parse_default | pugi::parse_embed_pcdata;
    if (windows1252)
        options &= ~pugi::parse_escapes; // replaced as each value the reader looks at is decoded
    pugi::xml_document document;
    pugi::xml_parse_result parsed;
    {
        TreeAllowance allowance(file.size);
        parsed = document.load_buffer_inplace(file.data.get(), file.size, options, pugi::encoding_utf8);
    }
    if (!parsed) {
        ReportFileFailure(sink,
                          std::string(parsed.description()) + " at offset " + std::to_string(parsed.offset),
                          parsed.offset);
        return false;
    }
    ReadVersion(document, windows1252, fileVersion, sink);
    SectionReader reader(model, sink, windows1252);
    try {
        return reader.ReadAll(document);
    } catch (const std::bad_alloc&) {
        // A section's selection ran out of memory: a stop, with what was read so far kept.
        if (sink) {
            Notice notice;
            notice.kind = NoticeKind::Stop;
            sink(notice);
        }
        return false;
    }
}

std::string SystemError(int error) {
    return std::system_category().message(error);
}

// Reads the whole file; on failure returns false with error set to the system's description.
bool ReadWholeFile(const std::string& path, Buffer& buffer, std::string& error) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = SystemError(errno);
        return false;
    }
    struct stat info {};
    std::size_t capacity = 64 * 1024;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
        capacity = static_cast<std::size_t>(info.st_size) + 1; // one more byte to see the end
    buffer.data.reset(new char[capacity]);
    buffer.size = 0;
    for (;;) {
        if (buffer.size == capacity) { // the file grew while it was read, or its size was not known
            capacity *= 2;
            std::unique_ptr<char[]> larger(new char[capacity]);
            std::memcpy(larger.get(), buffer.data.get(), buffer.size);
            buffer.data = std::move(larger);
        }
        const ssize_t count = ::read(fd, buffer.data.get() + buffer.size, capacity - buffer.size);
        if (count == 0)
            break;
        if (count < 0) {
            if (errno == EINTR)
                continue;
            error = SystemError(errno);
            ::close(fd);
            return false;
        }
        buffer.size += static_cast<std::size_t>(count);
    }
    ::close(fd);
    return true;
}

} // namespace

bool LoadConfigFile(const std::string& path, ConfigModel& model, std::string& fileVersion,
                    const NoticeSink& sink) {
    fileVersion.clear();
    Buffer file;
    std::string error;
    if (!ReadWholeFile(path, file, error)) {
        ReportFileFailure(sink, std::move(error));
        return false;
    }
    return ParseAndRead(file, model, fileVersion, sink);
}

bool LoadConfigBytes(std::string_view bytes, ConfigModel& model, std::string& fileVersion,
                     const NoticeSink& sink) {
    fileVersion.clear();
    Buffer copy; // parsed in place
    copy.size = bytes.size();
    copy.data.reset(new char[copy.size + 1]);
    if (!bytes.empty())
        std::memcpy(copy.data.get(), bytes.data(), bytes.size());
    return ParseAndRead(copy, model, fileVersion, sink);
}

} // namespace velto
