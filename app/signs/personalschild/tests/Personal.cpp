#include "Personal.h"

#include "Personalschild.h"

#include <QComboBox>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>

#include <activex/ColumnList.h>
#include <automation/ComObject.h>

#include "Kestoapi.h"

namespace vovida::test {

namespace {

// The object library's factory, recording the text arguments of every call.
class Mitschrift final : public kesto::automation::ComObject<Mitschrift, IDispatch> {
 public:
  static inline QStringList texte;
  explicit Mitschrift(kesto::automation::Dispatch echt) : echt_(std::move(echt)) {}

  HRESULT GetTypeInfoCount(UINT* n) override { return echt_.object()->GetTypeInfoCount(n); }
  HRESULT GetTypeInfo(UINT i, LCID l, ITypeInfo** t) override { return echt_.object()->GetTypeInfo(i, l, t); }
  HRESULT GetIDsOfNames(REFIID r, LPOLESTR* n, UINT c, LCID l, DISPID* ids) override {
    return echt_.object()->GetIDsOfNames(r, n, c, l, ids);
  }
  HRESULT Invoke(DISPID id, REFIID r, LCID l, WORD f, DISPPARAMS* p, VARIANT* e, EXCEPINFO* x, UINT* a) override {
    for (UINT i = 0; p && i < p->cArgs; ++i)
      if (p->rgvarg[i].vt == VT_BSTR && p->rgvarg[i].bstrVal) texte << QString::fromUtf16(p->rgvarg[i].bstrVal);
    return echt_.object()->Invoke(id, r, l, f, p, e, x, a);
  }

 private:
  kesto::automation::Dispatch echt_;
};

}  // namespace

int PersonalFixture::aufrufeMit(const QString& text) const {
  int n = 0;
  for (const QString& t : Mitschrift::texte) n += t.contains(text);
  return n;
}

void PersonalFixture::SetUp() {
  Hauptfenster::SetUp();
  Mitschrift::texte.clear();
  setFabrikErzeuger([this] {
    ++fabriken;
    return kesto::automation::Dispatch(Mitschrift::create(kesto::automation::Dispatch::create("KestoObject.Factory")));
  });
  PersonalschildEinrichten();
  anmelden("PERS");
}

void PersonalFixture::namenLaden(const QString& nummer) {
  frmPersonalschild& f = editor();
  f.show();
  const int index = nummer.isEmpty() ? 0 : f.Abteilung->findText(nummer + u' ', Qt::MatchStartsWith);
  ASSERT_GE(index, 0) << nummer.toStdString();
  f.Abteilung->setCurrentIndex(index);
  QTest::mouseClick(f.Personalberechnung, Qt::LeftButton);
}

QStringList PersonalFixture::namen() {
  QStringList out;
  for (int i = 0; i < editor().Namen->ListCount(); ++i) out << editor().Namen->List(i);
  return out;
}

void PersonalFixture::markieren(int zeile) {
  kesto::activex::ColumnList& liste = *editor().Namen;
  liste.show();
  const QRect rechteck = liste.visualItemRect(liste.topLevelItem(zeile));
  // The check box sits at the left of the row.
  QStyleOptionViewItem option;
  option.initFrom(&liste);
  option.rect = rechteck;
  option.features |= QStyleOptionViewItem::HasCheckIndicator;
  const QRect kasten = liste.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &liste);
  QTest::mouseClick(liste.viewport(), Qt::LeftButton, {}, kasten.center());
}

void PersonalFixture::namenSetzen(const QStringList& liste) {
  editor().Namen->Clear();
  for (int i = 0; i < liste.size(); ++i) {
    editor().Namen->AddItem(liste[i]);
    editor().Namen->setItemMark(i, 1);
  }
}

}  // namespace vovida::test
