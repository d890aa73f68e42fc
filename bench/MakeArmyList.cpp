// Writes an army-list file that is large in one dimension, for the
// whole-process measurements of bench/headless-scaling:
//
//   make_army_list DIMENSION N OUT.dfm
//
//   troop-types  one nation of N troop types: characters that take items,
//                pools, infantry that takes engines, units with runners and
//                mounts whose LIMIT names a character and a unit
//   items        N magic items, every character may take each; "nomi" last
//   engines      N siege engines; "noen" last
//   mounts       N mounts, each naming one of the characters; "nomo" last
//   nations      N nations of a handful of troop types each
//
// In every list the nation with id 1000000 fills, at 2,000 points, to about
// N units, so that the army grows with the dimension too.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

namespace {

constexpr long kNationId = 1000000;

// A four-character code: a letter, then the index in base 36.
std::string Code(char lead, long index) {
    static const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string code(4, '0');
    code[0] = lead;
    for (int i = 3; i >= 1; --i) {
        code[static_cast<std::size_t>(i)] = digits[index % 36];
        index /= 36;
    }
    return code;
}

// A code from the index alone, for lists of more than 36^3 records.
std::string WideCode(long index) {
    static const char digits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string code(4, '0');
    for (int i = 3; i >= 0; --i) {
        code[static_cast<std::size_t>(i)] = digits[index % 36];
        index /= 36;
    }
    return code;
}

struct Type {
    std::string code, name, kind;
    long category = 512, minimum = 0, maximum = 0, itemMask = 0;
    std::string limit;
    bool noBreak = false;
};

void Write(std::string& out, const Type& t) {
    out += "<TROOPS " + t.code + " \"" + t.name + "\" " + t.kind + " " + std::to_string(t.category) +
           "> 3 \"\" 3 4 0 3 10 " + std::to_string(t.minimum) + " " + std::to_string(t.maximum) + " " +
           std::to_string(t.itemMask) + "\r\n";
    if (!t.limit.empty())
        out += "<LIMIT>" + t.limit + "</LIMIT>";
    if (t.noBreak)
        out += "<NOBREAK>";
    out += "</TROOPS>\r\n";
}

std::string Header() {
    return "<TRCAT 2 MM \"Monstrous Mount\">\r\n<TRCAT 128 Cht \"Chariot\">\r\n"
           "<TRCAT 512 Inf \"Infantry\">\r\n<TRCAT 8192 Her \"Hero\">\r\n<MICAT 1 \"Weapon\">\r\n";
}

// Troop types of one shape that fill to about `units` units in all at 2,000
// points: no type is filled beyond what one type may be given at once.
void Fillers(std::string& out, char lead, const Type& shape, long units) {
    constexpr long kPerType = 8000;
    const long types = std::max(1L, (units + kPerType - 1) / kPerType);
    for (long i = 0; i < types; ++i) {
        Type t = shape;
        t.code = Code(lead, i);
        t.name = shape.name + " " + std::to_string(i);
        t.minimum = std::max(1L, units / types / 2);
        Write(out, t);
    }
}

// A few troop types that fill to `units` units in all at 2,000 points:
// characters that ride and carry, infantry, chariots with runners.
void SmallNation(std::string& out, long id, long units, const std::string& mountLimit) {
    out += "<NATION " + std::to_string(id) + " \"Nation " + std::to_string(id) + "\" \"Army " +
           std::to_string(id) + "\">\r\n";
    Fillers(out, 'L', {"", "Lord", "char", 8192, 0, 0, 1, "", false}, units / 4);
    Fillers(out, 'F', {"", "Foot", "unit", 512, 0, 0, 0, "", false}, units / 4);
    Fillers(out, 'C', {"", "Chariots", "unSk", 128, 0, 0, 0, "", false}, units / 4);
    Fillers(out, 'S', {"", "Skirmishers", "unit", 512, 0, 0, 0, "", true}, units / 4);
    Write(out, {"emsk", "Runners", "spec", 512, 0, 0, 0, "", false});
    if (!mountLimit.empty())
        Write(out, {"nomo", "No mount", "moun", 2, 0, 0, 0, mountLimit, false});
    out += "</NATION>\r\n";
}

} // namespace

int main(int argc, char** argv) {
    long n = -1;
    if (argc == 4) {
        const std::string count = argv[2];
        std::from_chars(count.data(), count.data() + count.size(), n);
    }
    const std::string dimension = argc == 4 ? argv[1] : "";
    if (n < 1 || n > 36L * 36 * 36 * 36 ||
        (dimension != "troop-types" && dimension != "items" && dimension != "engines" &&
         dimension != "mounts" && dimension != "nations")) {
        std::cerr << "usage: make_army_list troop-types|items|engines|mounts|nations N OUT.dfm\n";
        return 2;
    }

    std::string out = Header();
    if (dimension == "troop-types") {
        out += "<MITEM ring \"Ring\" 1> 10 -1</MITEM>\r\n<MITEM nomi \"No magic item\" 1> 0 -1</MITEM>\r\n"
               "<ENGINE bara \"Ram\" 10></ENGINE>\r\n<ENGINE noen \"No siege engine\" 0></ENGINE>\r\n";
        out += "<NATION " + std::to_string(kNationId) + " \"Many\" \"Army of many\">\r\n";
        std::string riders;
        for (long i = 0; i < n; ++i) {
            const std::string code = WideCode(i);
            Type t{code, "Type " + std::to_string(i), "unit", 512, 1, 2, 0, "", false};
            switch (i % 10) {
            case 0:
                t.kind = "char";
                t.category = 8192;
                t.maximum = -1;
                t.itemMask = 1;
                riders += code;
                break;
            case 1: // a pool with the next two
                t.minimum = -2;
                t.maximum = 3;
                t.limit = WideCode(i + 1) + WideCode(i + 2);
                break;
            case 8:
                t.kind = "unSk";
                t.category = 128;
                break;
            case 9: // a mount for this block's character and its fifth type
                t.kind = "moun";
                t.category = 2;
                t.minimum = 0;
                t.maximum = 1;
                t.limit = WideCode(i - 9) + WideCode(i - 4);
                break;
            default:
                break;
            }
            Write(out, t);
        }
        Write(out, {"emsk", "Runners", "spec", 512, 0, 0, 0, "", false});
        Write(out, {"nomo", "No mount", "moun", 2, 0, 0, 0, riders, false});
        out += "</NATION>\r\n";
    } else if (dimension == "items") {
        for (long i = 0; i < n; ++i)
            out += "<MITEM " + WideCode(i) + " \"Item " + std::to_string(i) + "\" 1> 5 8192</MITEM>\r\n";
        out += "<MITEM nomi \"No magic item\" -1> 0 -1</MITEM>\r\n";
        out += "<NATION " + std::to_string(kNationId) + " \"Many\" \"Army of many\">\r\n";
        Fillers(out, 'L', {"", "Lord", "char", 8192, 0, 0, 1, "", false}, n);
        Write(out, {"FOOT", "Foot", "unit", 512, 1, 0, 0, "", false});
        out += "</NATION>\r\n";
    } else if (dimension == "engines") {
        for (long i = 0; i < n; ++i)
            out += "<ENGINE " + WideCode(i) + " \"Engine " + std::to_string(i) + "\" 5></ENGINE>\r\n";
        out += "<ENGINE noen \"No siege engine\" 0></ENGINE>\r\n";
        out += "<NATION " + std::to_string(kNationId) + " \"Many\" \"Army of many\">\r\n";
        Fillers(out, 'F', {"", "Foot", "unit", 512, 0, 0, 0, "", false}, n);
        Write(out, {"LORD", "Lord", "char", 8192, 1, -1, 0, "", false});
        out += "</NATION>\r\n";
    } else if (dimension == "mounts") {
        out += "<NATION " + std::to_string(kNationId) + " \"Many\" \"Army of many\">\r\n";
        std::string riders;
        // Riders R000, R001...: each mount names one of the first ten.
        Fillers(out, 'R', {"", "Rider", "char", 8192, 0, 0, 0, "", false}, std::max(n, 80000L));
        for (long i = 0; i < 10; ++i)
            riders += Code('R', i);
        for (long i = 0; i < n; ++i)
            Write(out,
                  {WideCode(i), "Mount " + std::to_string(i), "moun", 2, 0, 1, 0, Code('R', i % 10), false});
        Write(out, {"nomo", "No mount", "moun", 2, 0, 0, 0, riders, false});
        out += "</NATION>\r\n";
    } else { // nations
        out += "<MITEM nomi \"No magic item\" -1> 0 -1</MITEM>\r\n<ENGINE noen \"No siege engine\" "
               "0></ENGINE>\r\n";
        for (long i = 1; i < n; ++i)
            SmallNation(out, kNationId + i, 8, "L000");
        SmallNation(out, kNationId, n, "L000");
    }

    std::ofstream file(argv[3], std::ios::binary);
    file << out;
    if (!file.flush()) {
        std::cerr << "make_army_list: cannot write " << argv[3] << "\n";
        return 2;
    }
    return 0;
}
