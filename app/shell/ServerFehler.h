// Values and errors at the border to the server objects: texts and values between Qt and
// automation, and the error object that the access-error report shows.
#pragma once

#include <QString>
#include <QVariant>

#include <automation/Variant.h>
#include <services/Program.h>

#include <cstdint>
#include <exception>
#include <stdexcept>

namespace vovida {

// A failed server operation: the number and description the report shows.
class ServerFehler : public std::runtime_error {
 public:
  ServerFehler(std::int32_t nummer, QString beschreibung);
  std::int32_t Number() const { return nummer_; }
  const QString& Description() const { return beschreibung_; }

 private:
  std::int32_t nummer_;
  QString beschreibung_;
};

// The error object of what is being thrown now: dispatch exceptions keep their code and
// text, failure codes their HRESULT; any other exception becomes 9991 with its text.
// Call only inside a catch block.
ServerFehler aktuellerServerFehler();

// Runs koerper; a failure of it (anything but the end of the program) goes to beiFehler
// as the error object, and beiFehler's result is the result.
template <class Koerper, class BeiFehler>
auto serverFehlerAbfangen(Koerper&& koerper, BeiFehler&& beiFehler) -> decltype(koerper()) {
  try {
    return koerper();
  } catch (const kesto::services::ProgramEnded&) {
    throw;
  } catch (...) {
    return beiFehler(aktuellerServerFehler());
  }
}

kesto::automation::Variant alsVariant(const QString& text);
kesto::automation::Variant alsVariant(const QVariant& wert);
QString alsText(const kesto::automation::Variant& wert);
// Empty and null stay invalid; texts, numbers and Booleans keep their kind.
QVariant alsQVariant(const kesto::automation::Variant& wert);

}  // namespace vovida
