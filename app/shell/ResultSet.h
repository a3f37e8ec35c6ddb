// A query result of the server's factory ("ResultSet"): run it with its parameters, walk
// its rows, read columns counted from 1. The object is closed on the server when the
// wrapper goes.
#pragma once

#include <automation/Dispatch.h>

#include <QString>
#include <QVariant>
#include <QVariantList>

namespace vovida {

class ResultSet {
 public:
  // Opens query abfrage of class klasse; a ServerFehler without a connection or when the
  // server gives no result object.
  ResultSet(const QString& klasse, const QString& abfrage);
  ~ResultSet();
  ResultSet(const ResultSet&) = delete;
  ResultSet& operator=(const ResultSet&) = delete;

  // The parameters in order; queries of the firm take Firma first (FirmaParameter).
  void Execute(const QVariantList& parameter);
  // Moves to the next row; false after the last.
  bool Next();
  QString GetData(int spalte) const;
  QVariant Wert(int spalte) const;  // empty stays invalid

 private:
  kesto::automation::Dispatch ergebnis_;
};

// Firma followed by the parameters given.
QVariantList FirmaParameter(const QStringList& parameter = {});

}  // namespace vovida
