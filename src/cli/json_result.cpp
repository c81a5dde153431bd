#include "cli/json_result.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>

namespace stowbel {

namespace {

// A JSON text built member by member; the caller gives the members in the order they appear.
class JsonWriter {
public:
    void BeginObject() { Open('{'); }
    void EndObject() { Close('}'); }
    void BeginArray() { Open('['); }
    void EndArray() { Close(']'); }

    void Key(const char* name) {
        Separate();
        Quoted(name);
        text_ += ':';
        afterKey_ = true;
    }
    void String(std::string_view value) {
        Separate();
        Quoted(value);
    }
    void Integer(long long value) {
        Separate();
        text_ += std::to_string(value);
    }
    // The shortest text that reads back as the same double; JSON has no NaN or infinity.
    void Number(double value) {
        Separate();
        if (!std::isfinite(value)) {
            text_ += "null";
            return;
        }
        char buffer[32];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
        text_.append(buffer, end);
    }
    void Null() {
        Separate();
        text_ += "null";
    }

    const std::string& Text() const { return text_; }

private:
    void Quoted(std::string_view value) {
        text_ += '"';
        for (const char ch : value) {
            switch (ch) {
                case '"':
                    text_ += "\\\"";
                    break;
                case '\\':
                    text_ += "\\\\";
                    break;
                case '\b':
                    text_ += "\\b";
                    break;
                case '\f':
                    text_ += "\\f";
                    break;
                case '\n':
                    text_ += "\\n";
                    break;
                case '\r':
                    text_ += "\\r";
                    break;
                case '\t':
                    text_ += "\\t";
                    break;
                default:
                    if (static_cast<unsigned char>(ch) < 0x20) {
                        char escaped[8];
                        std::snprintf(escaped, sizeof escaped, "\\u%04x", ch);
                        text_ += escaped;
                    } else {
                        text_ += ch;  // UTF-8 passes as it is
                    }
            }
        }
        text_ += '"';
    }
    void Open(char bracket) {
        Separate();
        text_ += bracket;
        first_ = true;
    }
    void Close(char bracket) {
        text_ += bracket;
        first_ = false;
    }
    // A comma before every value of an object or array but the first; none after a key.
    void Separate() {
        if (afterKey_) {
            afterKey_ = false;
            return;
        }
        if (!first_) {
            text_ += ',';
        }
        first_ = false;
    }

    std::string text_;
    bool first_ = true;
    bool afterKey_ = false;
};

void WriteStack(JsonWriter& json, const PlacedStack& stack) {
    json.BeginObject();
    json.Key("container");
    json.Integer(stack.container);
    json.Key("count");
    json.Integer(stack.count);
    switch (stack.shape) {
        case StackShape::Square:
            json.Key("line");
            json.Integer(stack.line);
            json.Key("shape");
            json.String("SQR");
            json.Key("x1");
            json.Integer(stack.x1);
            json.Key("x2");
            json.Integer(stack.x2);
            json.Key("y1");
            json.Integer(stack.y1);
            json.Key("y2");
            json.Integer(stack.y2);
            break;
        case StackShape::Round:
            json.Key("d");
            json.Number(stack.d);
            json.Key("line");
            json.Integer(stack.line);
            json.Key("shape");
            json.String("RND");
            json.Key("x");
            json.Number(stack.x);
            json.Key("y");
            json.Number(stack.y);
            break;
        case StackShape::RoundLying:
            // Units lie end to end across the container from y, their axis at x along it and
            // z below the ceiling; each is length long on its axis.
            json.Key("d");
            json.Number(stack.d);
            json.Key("length");
            json.Number(stack.length);
            json.Key("line");
            json.Integer(stack.line);
            json.Key("shape");
            json.String("RND-LYING");
            json.Key("x");
            json.Number(stack.x);
            json.Key("y");
            json.Number(stack.y);
            json.Key("z");
            json.Number(stack.z);
            break;
    }
    json.EndObject();
}

}  // namespace

std::string ResultToJson(const RunResult& result, const std::optional<JobError>& error) {
    JsonWriter json;
    json.BeginObject();
    json.Key("containers");
    json.Integer(result.containers);
    json.Key("error");
    if (error) {
        json.String(error->message);
    } else {
        json.Null();
    }
    json.Key("errorLine");
    if (error && error->line > 0) {
        json.Integer(error->line);
    } else {
        json.Null();
    }
    json.Key("placed");
    json.Integer(result.placed);
    json.Key("report");
    json.BeginArray();
    for (const std::string& line : result.report) {
        json.String(line);
    }
    json.EndArray();
    json.Key("stacks");
    json.BeginArray();
    for (const PlacedStack& stack : result.stacks) {
        WriteStack(json, stack);
    }
    json.EndArray();
    json.EndObject();
    return json.Text();
}

}  // namespace stowbel
