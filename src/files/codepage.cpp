#include "files/codepage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace stowbel {

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of input; a sequence the target lacks is replaced and skipped.
    std::string Convert(std::string_view input, std::size_t skipOnError) {
        std::string output;
        output.resize(input.size() * 4 + 16);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char* out = output.data();
        std::size_t outLeft = output.size();
        while (inLeft > 0) {
            if (iconv(cd_, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1)) {
                break;
            }
            if (errno == EILSEQ || errno == EINVAL) {
                const std::size_t skip = std::min(skipOnError, inLeft);
                in += skip;
                inLeft -= skip;
                *out++ = '?';
                --outLeft;
            } else {
                throw std::runtime_error("character conversion failed");
            }
        }
        output.resize(output.size() - outLeft);
        return output;
    }

private:
    iconv_t cd_;
};

// Bytes of the UTF-8 sequence that starts with lead.
std::size_t Utf8Length(unsigned char lead) {
    if (lead >= 0xF0) {
        return 4;
    }
    if (lead >= 0xE0) {
        return 3;
    }
    if (lead >= 0xC0) {
        return 2;
    }
    return 1;
}

}  // namespace

std::string Utf8ToWindows1251(std::string_view utf8) {
    Converter converter("CP1251", "UTF-8");
    std::string result;
    // Convert character by character on failure so that one missing character costs one "?".
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t len =
            std::min(Utf8Length(static_cast<unsigned char>(utf8[i])), utf8.size() - i);
        result += converter.Convert(utf8.substr(i, len), len);
        i += len;
    }
    return result;
}

std::string Windows1251ToUtf8(std::string_view bytes) {
    Converter converter("UTF-8", "CP1251");
    return converter.Convert(bytes, 1);
}

}  // namespace stowbel
