#include "large_project.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace quenlo::bench {

namespace {

void write(const std::string& folder, const std::string& name, const std::string& text) {
    std::ofstream out(folder + "/" + name, std::ios::binary);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + folder + "/" + name);
}

std::string n(int value) {
    return std::to_string(value);
}

std::string room_id(int room) {
    return "_rStanza" + n(room) + "_";
}
std::string fixture_id(int room) {
    return "_arredo" + n(room) + "_";
}
std::string exit_id(int room) {
    return "_uscita" + n(room) + "_";
}
std::string float_id(int i) {
    return "_oggetto" + n(i) + "_";
}
std::string variable_id(int index) {
    if (index == 0) return "_vCOMPLETION_";
    if (index == 1) return "_vMOVES_";
    return "_vStato" + n(index) + "_";
}

struct Counts {
    int rooms;
    int floats;
    int variables;
    int showx_calls;
    int appendx_calls;
    int text_copies;
};

std::string messages() {
    std::string text;
    for (int m = 1; m <= 99; ++m) {
        text += "{" + std::string(m < 10 ? "0" : "") + n(m) + "}\r\n";
        if (m == 1)
            text += "L'avventura grande\r\n";
        else if (m == 3)
            text += "http://www.esempio.it\r\n";
        else if (m == 50)
            text += "grande\r\n";
        else
            text += "Messaggio numero " + n(m) + ": è così, disse ''ciao''.\r\n";
    }
    return text;
}

std::string variables(const Counts& c) {
    std::string text = "// indice:nome=valore\r\n";
    for (int v = 0; v < c.variables; ++v)
        text += n(v) + ":" + variable_id(v) + "=" + n(v % 3) + "\r\n";
    return text;
}

std::string repeated(const std::string& line, int copies) {
    std::string text;
    for (int i = 0; i < copies; ++i) text += line;
    return text;
}

std::string rooms(const Counts& c, int texts) {
    std::string text = "// le stanze\r\n";
    for (int r = 1; r <= c.rooms; ++r) {
        const int next = r % c.rooms + 1;
        text += std::string(r == 1 ? "{*" : (r % 7 == 0 ? "{:" : "{")) + n(r) + "}\r\n";
        text += room_id(r);
        if (texts > 1) text += "|" + variable_id(2 + r % (c.variables - 2));
        text += "\r\n";
        for (int k = 1; k <= texts; ++k) {
            if (k > 1) text += "\xC2\xA7\r\n";
            text += "Sei nella stanza numero " + n(r) + ", versione " + n(k) + ". C'è un {mobile|" +
                    fixture_id(r) + "} contro il muro,\r\n";
            text += "  e la luce entra da una finestra che dà sul cortile.^\r\n";
            text += "// nota dell'autore sulla stanza\r\n";
            text +=
                repeated("Le pareti sono di pietra, il pavimento di legno e l'aria è ferma.\r\n",
                         c.text_copies);
            if (k == 1)
                text +=
                    "Un {passaggio|" + exit_id(r) + "|vai|" + room_id(next) + "} porta avanti.\r\n";
        }
    }
    return text;
}

std::string objects(const Counts& c) {
    std::string text = "// gli oggetti\r\n";
    for (int r = 1; r <= c.rooms; ++r) {
        text += "{" + fixture_id(r) + "}\r\n";
        text += ":desc.examine: È un mobile antico,\r\n  con cassetti che non si aprono.\r\n";
        text += "// da completare\r\nL'autore lo ha messo qui.\r\n";
        text += ":examinable\r\n:tag: " + n(r) + "\r\n";
        text += ":menu:\r\n";
        text += "if (f_istaken(\"" + float_id(0) + "\"))\r\n";
        text += "++\"sposta\";\r\n-\"te stesso\";\r\n++\"parla con\";\r\n\r\n";
    }
    for (int i = 0; i < c.floats; ++i) {
        text += "{" + float_id(i) + "}\r\n";
        text += ":room: " + room_id(i % c.rooms + 1) + "\r\n";
        text += ":desc.short: oggetto " + n(i) + "\r\n";
        text += ":desc.long: un oggetto qualsiasi, il numero " + n(i) + "\r\n";
        text +=
            ":desc.examine:\r\n" +
            repeated("Guardandolo bene, noti che è\r\nmolto più vecchio di quanto sembrasse.\r\n",
                     c.text_copies);
        text += ":desc.talk: Non risponde.\r\n:desc.next.talk: Ancora silenzio.\r\n";
        text += ":weight: " + n(i % 5 + 1) + "\r\n:weight.worn: 1\r\n";
        if (i + 1 < c.floats) text += ":found: " + float_id(i + 1) + "\r\n";
        text += i % 2 ? ":examinable usable takeable\r\n" : ":examinable wearable talkable\r\n";
        text += ":menu:\r\n-f_inventory();\r\n-\"te stesso\";\r\n++\"usa con\";\r\n";
        text += "\r\n";
    }
    return text;
}

// Script lines that name the project's rooms, objects and variables, up to
// `bytes` characters, and at least as many as the first-time calls need. Only
// the runtime's names and the project's own carry underscores, as the unknown
// identifier check wants.
std::string script(const Counts& c, std::size_t bytes, int kind) {
    std::string text = "// script generato\r\n";
    const int calls = kind == 0 ? c.showx_calls : kind == 2 ? c.appendx_calls : 0;
    for (int i = 0; text.size() < bytes || i < calls; ++i) {
        const std::string room = room_id(i % c.rooms + 1);
        const std::string object =
            c.floats > 0 ? float_id(i % c.floats) : fixture_id(i % c.rooms + 1);
        const std::string variable = variable_id(2 + i % (c.variables - 2));
        switch (kind) {
            case 0:  // actions
                text += "if (f_action(\"" + object + "\", \"esamina\")) {\r\n";
                if (i < calls)
                    text += "  f_showx(\"La prima volta: " + n(i) + ".\", \"Di nuovo.\");\r\n";
                else
                    text +=
                        "  f_show(\"L'oggetto è interessante; disse ''ciao'' & se ne andò.\");\r\n";
                text += "  " + variable + " = " + variable + " + 1;\r\n}\r\n";
                break;
            case 1:  // functions
                text += "function aiuto" + n(i) + "() {\r\n  if (" + variable + " > 2) return \"" +
                        room + "\";\r\n  return \"nessuna\";\r\n}\r\n";
                break;
            case 2:  // conditions
                text += "if (window.g_room == " + n(i % c.rooms + 1) + " && " + variable +
                        " > 2) " +
                        (i < calls ? "f_appendx(\"Noti un cambiamento.\", \"Tutto come prima.\")"
                                   : "f_append(\"Qualcosa è cambiato.\")") +
                        ";\r\n";
                break;
            default:  // counters
                text += "if (f_isin(\"" + object + "\", \"" + room + "\")) " + variable + " = " +
                        variable + " + 1;\r\n";
                break;
        }
    }
    return text;
}

// A picture as its data text, wrapped like a base64 file of a real picture.
std::string picture(std::size_t bytes, unsigned seed) {
    static constexpr std::string_view digits =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text = "data:image/gif;base64,\r\n";
    text.reserve(bytes + bytes / 38 + 32);
    for (std::size_t i = 0; i < bytes; ++i) {
        seed = seed * 1103515245u + 12345u;
        text += digits[(seed >> 16) % 64];
        if (i % 76 == 75) text += "\r\n";
    }
    return text + "\r\n";
}

std::string map_grid(int rooms, int map) {
    std::string text;
    text.reserve(2522);
    for (int x = 1; x <= 28; ++x)
        for (int y = 1; y <= 30; ++y) {
            const int area = ((x - 1) / 4 + (y - 1) / 4 * 7 + map) % (rooms + 1);
            const bool point = area > 0 && (x - 1) % 4 == 0 && (y - 1) % 4 == 0;
            const int value = point ? 100 + area : area;
            const std::string digits = n(value);
            text += std::string(3 - digits.size(), '0') + digits;
        }
    return text + "\r\n";
}

}  // namespace

void write_large_project(const std::string& folder, const LargeProjectSize& size) {
    const Counts c{
        std::clamp(size.rooms, 1, 79),          std::max(0, size.objects - 2 * size.rooms),
        std::clamp(size.variables, 3, 100),     std::clamp(size.showx_calls, 0, 300),
        std::clamp(size.appendx_calls, 0, 300), std::max(1, size.text_copies)};
    const int texts = std::clamp(size.texts_per_room, 1, 5);
    const std::size_t script_part = size.script_bytes / 4;

    write(folder, "messages.qnr", messages());
    write(folder, "variables.qnv", variables(c));
    write(folder, "rooms.qnr", rooms(c, texts));
    write(folder, "objects.qno", objects(c));
    write(folder, "actions.qna", script(c, script_part, 0));
    write(folder, "functions.qna", script(c, script_part, 1));
    write(folder, "conditions.qna", script(c, script_part, 2));
    write(folder, "counters.qna", script(c, script_part, 3));
    write(folder, "help.qni",
          "Tocca le parole sottolineate e scegli un verbo.\r\n"
          "// aiuto\r\nLe frecce ti portano altrove.^Buon divertimento!\r\n");
    std::string intro;
    for (int i = 0; i < 40; ++i)
        intro += "Era una notte buia e tempestosa, e l'avventura stava per cominciare.\r\n" +
                 std::string(i % 10 == 9 ? "\xC2\xA7\r\n" : "");
    write(folder, "intro.qni", intro);
    write(folder, "success.qni", "Hai vinto in {_vMOVES_} mosse!\r\n");
    write(folder, "fail.qni", "Hai perso dopo {_vMOVES_} mosse.\r\n");
    unsigned seed = 1;
    for (const char* name : {"coverimage.qn", "successimage.qn", "failimage.qn"})
        write(folder, name, picture(size.story_picture_bytes, seed++));
    write(folder, "mapimage1.qn", size.with_map ? picture(size.map_picture_bytes, seed) : "");
    for (const char* name : {"mapimage2.qn", "mapimage3.qn"})
        write(folder, name, picture(size.map_picture_bytes, ++seed));
    std::string connections;
    for (int r = 1; r < c.rooms; ++r) connections += n(r) + "," + n(r + 1) + "\r\n";
    for (int m = 1; m <= 3; ++m) write(folder, "map" + n(m) + ".qn", map_grid(c.rooms, m));
    write(folder, "connections.qn", connections);
}

LargeProjectSize largest_project() {
    return {};
}

LargeProjectSize doubled_largest_project() {
    LargeProjectSize size;
    size.script_bytes *= 2;
    size.text_copies *= 2;
    size.map_picture_bytes *= 2;
    size.story_picture_bytes *= 2;
    return size;
}

}  // namespace quenlo::bench
