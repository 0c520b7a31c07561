#include "fakes/iconv_code_page.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>
#include <string>

namespace tarnwick::fake {

namespace {

class Converter {
  public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " +
                                     to);
        }
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Like the Windows conversions: what cannot be converted becomes replacement, one input unit
    // at a time.
    std::string Convert(std::string_view input, std::size_t unit, std::string_view replacement) {
        std::string output;
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        while (inLeft > 0) {
            char chunk[256];
            char* out = chunk;
            std::size_t outLeft = sizeof chunk;
            const std::size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
            output.append(chunk, static_cast<std::size_t>(out - chunk));
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                output.append(replacement);
                const std::size_t skip = std::min(unit, inLeft);
                in += skip;
                inLeft -= skip;
                iconv(handle_, nullptr, nullptr, nullptr, nullptr);
            }
        }
        return output;
    }

  private:
    iconv_t handle_;
};

}  // namespace

std::string IconvCodePage::ToAnsi(std::u16string_view text) const {
    Converter converter("CP936", "UTF-16LE");
    return converter.Convert(
        std::string_view(reinterpret_cast<const char*>(text.data()), text.size() * 2), 2, "?");
}

std::u16string IconvCodePage::FromAnsi(std::string_view bytes) const {
    Converter converter("UTF-16LE", "CP936");
    const std::string wide = converter.Convert(bytes, 1, std::string("\xFD\xFF", 2));
    std::u16string text(wide.size() / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        text[i] = static_cast<char16_t>(static_cast<unsigned char>(wide[2 * i]) |
                                        (static_cast<unsigned char>(wide[2 * i + 1]) << 8));
    }
    return text;
}

}  // namespace tarnwick::fake
