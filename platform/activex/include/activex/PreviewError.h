#pragma once

#include <stdexcept>
#include <string>

namespace kesto::activex {

// A refusal of the preview control; the number follows the run-time error numbers
// the layout code reports (5 invalid call, 380 invalid property value).
class PreviewError : public std::runtime_error {
public:
    PreviewError(int number, const std::string& text) : std::runtime_error(text), number_(number) {}
    int number() const { return number_; }

    static constexpr int invalidCall = 5;
    static constexpr int invalidValue = 380;

private:
    int number_;
};

} // namespace kesto::activex
