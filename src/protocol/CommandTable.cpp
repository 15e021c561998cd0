#include "protocol/CommandTable.h"

#include <array>
#include <cassert>
#include <initializer_list>
#include <unordered_map>

namespace vr::protocol {
namespace {

// Single commands and the indexed families, in id order. Families are spelt out by their naming
// rule; tests pin each rule's first, last and a few middle members.
class TableBuilder {
public:
    std::array<CommandTableEntry, kCommandCount> entries{};
    uint32_t next = 0;

    void Add(const std::string& mnemonic) {
        assert(next < kCommandCount);
        entries[next] = {next, mnemonic, ValueKind::Integer};
        ++next;
    }
    void Add(std::initializer_list<const char*> mnemonics) {
        for (const char* m : mnemonics) Add(std::string(m));
    }
};

std::array<CommandTableEntry, kCommandCount> Build() {
    TableBuilder b;
    b.Add({"EB",    "ST",    "HP",    "VN",    "FPVN", "ID",   "UD",  "DVN",  "MD",    "DV",     "SBDRT", "CBDRT",
           "CRS00", "TM",    "TI",    "TA",    "ARS",  "EI",   "TR",  "ETM",  "PE",    "PER",    "PEG",   "PEB",
           "LR",    "LRMIN", "PEMAX", "PEMIN", "LROP", "WTC",  "OFC", "HB",   "VB",    "BA",     "CLCFG", "CLCF",
           "SCB",   "SWBR",  "ADDI",  "EAS",   "TPN",  "GM",   "AGC", "AGCF", "AGCFV", "AGCFV8", "AGCS",  "GA",
           "GAR",   "GAB",   "GAG",   "SGA",   "SGG",  "SGR",  "SGB", "AWB",  "AWBW",  "AWBO",   "AWRS",  "AHRS",
           "AS",    "BL",    "BLR",   "BLB",   "SDM",  "SDCM", "RS",  "SDRS", "SDDS",  "SDDI",   "SDD",   "SDDU",
           "SDDA",  "PGC",   "PGR",   "PGS",   "PBC",  "PBR",  "PBS", "FFR",  "FFG",   "FFB"});
    const char* const rgb[] = {"R", "G", "B"};
    for (const char* pos : {"LR", "CR", "RR"})  // 82-90 FIR coefficients
        for (const char* c : rgb) b.Add(std::string("FF") + pos + c);
    b.Add({"MFR", "MFG",  "MFB",   "NR",  "LUN",     "LUTIG",   "LUTIR",   "LUTIB",   "LUTG",   "LUTR",   "LUTB",
           "GMA", "TMP0", "TMPS0", "LS0", "LS1",     "LS2",     "LS3",     "ND0IN1",  "ND0IN2", "ND1IN1", "ND1IN2",
           "LI0", "LI1",  "LI2",   "LI3", "ND0INV1", "ND0INV2", "ND1INV1", "ND1INV2", "STP",    "CTM",    "CTRM"});
    for (const char* out : rgb)  // 124-132 colour matrix
        for (const char* in : rgb) b.Add(std::string("CMV") + out + in);
    b.Add({"HIM", "ODM", "ODS", "ENCSA", "ENCSB", "ENCDIV", "ENFIL", "ENSTR", "ENAVE", "SPISR", "SPISB", "CACM"});
    for (const char* prefix : {"CACSM", "CACR", "CACB", "CACRR", "CACRB", "CACMT"})  // 145-168
        for (int s = 0; s < 4; ++s) b.Add(prefix + std::to_string(s));
    for (int i = 0; i < 4; ++i)  // 169-204
        for (int j = 0; j <= 8; ++j) b.Add("CACR" + std::to_string(i) + "R" + std::to_string(j));
    for (int i = 0; i < 4; ++i)  // 205-240
        for (int j = 0; j <= 8; ++j) b.Add("CACR" + std::to_string(i) + "B" + std::to_string(j));
    for (int i = 0; i < 4; ++i)  // 241-272
        for (int j = 1; j <= 8; ++j) b.Add("CACRR" + std::to_string(i) + "R" + std::to_string(j));
    for (int i = 0; i < 4; ++i)  // 273-304
        for (int j = 1; j <= 8; ++j) b.Add("CACRR" + std::to_string(i) + "B" + std::to_string(j));
    for (int s = 0; s < 4; ++s) b.Add("CACC" + std::to_string(s) + "R");  // 305-320
    for (int s = 0; s < 4; ++s) b.Add("CACC" + std::to_string(s) + "B");
    for (int s = 0; s < 4; ++s) b.Add("CACRC" + std::to_string(s) + "R");
    for (int s = 0; s < 4; ++s) b.Add("CACRC" + std::to_string(s) + "B");
    b.Add({"CACS", "", "SPCM", "SPCR16", "SPCG16", "SPCB16", "SPCD16"});
    for (int g = 0; g < 4; ++g)  // 328-359 pulse generators
        for (const char* p : {"PGL", "PGST", "PGEN", "PGRPT", "PGCM", "PGIN", "PGINV", "PGSM"})
            b.Add(p + std::to_string(g));
    b.Add({"PGDEV", "OPTFL", "USC0", "USC1", "USC2", "USC3"});
    for (int c = 0; c < 4; ++c)  // 366-385 counters
        for (const char* p : {"CE", "CEA", "CR", "CV", "CS"}) b.Add(p + std::to_string(c));
    b.Add({"LD",    "SA",     "EA",     "SA00",   "ST00",  "ULCK",  "ID00",  "MD00",   "BAS00",  "GAOR",
           "GAOG",  "GAOB",   "GAORJ",  "GAOGJ",  "GAOBJ", "OBR",   "OBG",   "OBB",    "GAORA",  "GAOGA",
           "GAOBA", "GAORAJ", "GAOGAJ", "GAOBAJ", "GAORB", "GAOGB", "GAOBB", "GAORBJ", "GAOGBJ", "GAOBBJ",
           "OBRA",  "OBGA",   "OBBA",   "OBRB",   "OBGB",  "OBBB",  "WB0R",  "WB0B",   "WB1R",   "WB1B",
           "WB2R",  "WB2B",   "SCBN",   "SCBM",   "SCBS",  "CACRJ", "CACGJ", "CACBJ",  "NRL",    "SDR00",
           "SDS00", "PGR00",  "PGS00",  "PBR00",  "PBS00", "XMLVR", "DV00",  "GA00",   "PGC00",  "PBC00"});
    assert(b.next == kCommandCount);
    for (uint32_t id : {cmd::VN, cmd::FPVN, cmd::ID, cmd::UD, 7u, cmd::MD, cmd::DV, cmd::ID00, cmd::MD00, cmd::DV00})
        b.entries[id].valueKind = ValueKind::Text;
    return b.entries;
}

const std::array<CommandTableEntry, kCommandCount>& Table() {
    static const std::array<CommandTableEntry, kCommandCount> table = Build();
    return table;
}

const std::unordered_map<std::string, int32_t>& Index() {
    static const std::unordered_map<std::string, int32_t> index = [] {
        std::unordered_map<std::string, int32_t> m;
        for (const auto& e : Table()) m.emplace(e.mnemonic, static_cast<int32_t>(e.id));  // first one wins
        return m;
    }();
    return index;
}

}  // namespace

const CommandTableEntry* CommandTable() {
    return Table().data();
}

std::string GetCommandName(uint32_t id) {
    assert(id < kCommandCount);
    return Table()[id].mnemonic;
}

int32_t FindCommand(const std::string& mnemonic) {
    const auto& index = Index();
    auto it = index.find(mnemonic);
    return it == index.end() ? -1 : it->second;
}

ValueKind GetValueKind(uint32_t id) {
    return Table()[id].valueKind;
}

}  // namespace vr::protocol
