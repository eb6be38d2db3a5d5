// A strict reader of one flat JSON object a line, as kestrone-scan --json
// writes them: string, number and true/false values. Anything else (raw
// control or non-ASCII bytes, unknown escapes, missing commas, text after the
// object) is refused, so that a test sees every fault of the writer.
#pragma once

#include <map>
#include <string>

namespace kestrone::test {

struct JsonValue {
    enum Kind { String, Number, Bool } kind = String;
    std::u16string text;  // String
    long long number = 0;  // Number
    bool flag = false;     // Bool
};
using JsonObject = std::map<std::string, JsonValue>;

class FlatJsonReader {
  public:
    // False (with the reason) when the line is no such object.
    bool Read(const std::string& line, JsonObject& object, std::string& error) {
        text_ = line;
        at_ = 0;
        error_.clear();
        object.clear();
        bool ok = Object(object) && (at_ == text_.size() || Fail("text after the object"));
        error = error_;
        return ok;
    }

  private:
    bool Fail(const std::string& why) {
        if (error_.empty()) error_ = why + " at " + std::to_string(at_);
        return false;
    }
    bool Eat(char c) {
        if (at_ < text_.size() && text_[at_] == c) return ++at_, true;
        return false;
    }
    bool Object(JsonObject& object) {
        if (!Eat('{')) return Fail("no object");
        if (Eat('}')) return true;
        do {
            JsonValue key;
            if (!String(key.text)) return false;
            std::string name(key.text.begin(), key.text.end());
            if (object.count(name)) return Fail("repeated key " + name);
            if (!Eat(':')) return Fail("no colon");
            if (!Value(object[name])) return false;
        } while (Eat(','));
        return Eat('}') || Fail("no closing brace");
    }
    bool Value(JsonValue& value) {
        if (at_ >= text_.size()) return Fail("no value");
        char c = text_[at_];
        if (c == '"') return value.kind = JsonValue::String, String(value.text);
        if (text_.compare(at_, 4, "true") == 0) return at_ += 4, value.kind = JsonValue::Bool, value.flag = true, true;
        if (text_.compare(at_, 5, "false") == 0) return at_ += 5, value.kind = JsonValue::Bool, true;
        if (c == '-' || (c >= '0' && c <= '9')) {
            size_t start = at_;
            Eat('-');
            if (at_ >= text_.size() || text_[at_] < '0' || text_[at_] > '9') return Fail("bad number");
            if (text_[at_] == '0' && at_ + 1 < text_.size() && text_[at_ + 1] >= '0' &&
                text_[at_ + 1] <= '9')
                return Fail("leading zero");
            while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
            value.kind = JsonValue::Number;
            value.number = std::stoll(text_.substr(start, at_ - start));
            return true;
        }
        return Fail("unknown value");
    }
    static int HexDigit(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }
    bool String(std::u16string& out) {
        if (!Eat('"')) return Fail("no string");
        while (at_ < text_.size()) {
            unsigned char c = static_cast<unsigned char>(text_[at_++]);
            if (c == '"') return true;
            if (c < 0x20 || c >= 0x7F) return Fail("raw byte in a string");
            if (c != '\\') {
                out += static_cast<char16_t>(c);
                continue;
            }
            if (at_ >= text_.size()) break;
            char e = text_[at_++];
            switch (e) {
                case '"': out += u'"'; break;
                case '\\': out += u'\\'; break;
                case '/': out += u'/'; break;
                case 'b': out += u'\b'; break;
                case 'f': out += u'\f'; break;
                case 'n': out += u'\n'; break;
                case 'r': out += u'\r'; break;
                case 't': out += u'\t'; break;
                case 'u': {
                    if (at_ + 4 > text_.size()) return Fail("short \\u escape");
                    unsigned unit = 0;
                    for (int i = 0; i < 4; ++i) {
                        int digit = HexDigit(text_[at_++]);
                        if (digit < 0) return Fail("bad \\u escape");
                        unit = unit * 16 + static_cast<unsigned>(digit);
                    }
                    out += static_cast<char16_t>(unit);
                    break;
                }
                default: return Fail("unknown escape");
            }
        }
        return Fail("unterminated string");
    }

    std::string text_;
    size_t at_ = 0;
    std::string error_;
};

}  // namespace kestrone::test
