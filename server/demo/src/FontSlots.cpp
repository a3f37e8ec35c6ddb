#include "FontSlots.h"

namespace kesto::server::demo {

namespace {

// Slots 48-59 are the small tile sign's copies of 36-47 at about 0.7 of the size. The
// poster price is white on its red band and ends above the company logo at 271.5 mm; on
// A3 the price, placed at 195 mm like on A4, moves down by its top correction below the
// five text lines. The shelf-label price (slot 30) ends above the bottom of a 50 mm label
// in both styles.
constexpr FontSlot kSlots[] = {
    {'E', "Reserve A4", "40@S@N@0@0@0@N@0@0", nullptr},
    {'E', "Reserve A3", "56@S@N@0@0@0@N@0@0", nullptr},
    {'E', "Plakat A4 Überschrift AKTION!", "60@R@N@0,5@0@0@S@0,6@0,6", nullptr},
    {'E', "Plakat A3 Überschrift AKTION!", "84@R@N@0,7@0@0@S@0,8@0,8", nullptr},
    {'E', "Fliesen Überschrift AKTION!", "28@R@N@0,3@0@0@N@0@0", nullptr},
    {'E', "Regal Überschrift AKTION!", "22@S@N@0,2@0@0@N@0@0", nullptr},
    {'E', "Plakat A4 Überschrift FÜR SEHENSWERTE PREISE.", "40@B@N@0,3@0@0@N@0@0", nullptr},
    {'E', "Plakat A3 Überschrift FÜR SEHENSWERTE PREISE.", "56@B@N@0,4@0@0@N@0@0", nullptr},
    {'E', "Fliesen Überschrift FÜR SEHENSWERTE PREISE.", "22@B@N@0,2@0@0@N@0@0", nullptr},
    {'E', "Reserve", "22@S@N@0@0@0@N@0@0", nullptr},
    {'E', "Plakat A4 Überschrift RESTPOSTEN!", "60@R@N@0,5@0@0@S@0,6@0,6", nullptr},
    {'E', "Plakat A3 Überschrift RESTPOSTEN!", "84@R@N@0,7@0@0@S@0,8@0,8", nullptr},
    {'E', "Fliesen Überschrift RESTPOSTEN!", "28@R@N@0,3@0@0@N@0@0", nullptr},
    {'E', "Regal Überschrift RESTPOSTEN!", "22@S@N@0,2@0@0@N@0@0", nullptr},
    {'E', "Plakat A4 Überschrift AUS UNSERER WERBUNG!", "44@G@N@0,3@0@0@S@0,5@0,5", nullptr},
    {'E', "Plakat A3 Überschrift AUS UNSERER WERBUNG!", "62@G@N@0,4@0@0@S@0,7@0,7", nullptr},
    {'E', "Fliesen Überschrift AUS UNSERER WERBUNG!", "22@G@N@0,2@0@0@N@0@0", nullptr},
    {'E', "Regal Überschrift AUS UNSERER WERBUNG!", "20@S@N@0,2@0@0@N@0@0", nullptr},
    {'B', "Plakat A4 Bezeichnung (auch Ausfolgeschein Titel)", "36@S@N@14@0@0@N@N@", nullptr},
    {'B', "Plakat A3 Bezeichnung", "44@S@N@17@0@0@N@N@", nullptr},
    {'B', "Reserve", "24@S@N@10@0@0@N@N@", nullptr},
    {'B', "Regal Bezeichnung", "14@S@N@6@0@0@N@N@", nullptr},
    {'B', "Plakat A4 Grundpreis/Fußzeile (auch Ausfolgeschein Text)", "12@S@N@6@0@0@N@N@", nullptr},
    {'B', "Plakat A3 Grundpreis/Fußzeile", "16@S@N@8@0@0@N@N@", nullptr},
    {'B', "Reserve", "12@S@N@6@0@0@N@N@", nullptr},
    {'B', "Regal Grundpreis/Artikel/Datum", "8@S@N@4@0@0@N@N@", nullptr},
    {'P', "Plakat A4 Preis", "110@W@N@0@0@0@S@1@1", "80@0@48@0@28@0@20@0@20@0"},
    {'P', "Plakat A3 Preis", "154@W@N@0@0@30@S@1,4@1,4", "112@0@68@0@40@0@28@0@28@0"},
    {'P', "Reserve Preis", "96@R@N@0@0@0@N@0@0", "48@0@28@0@16@0@12@0@12@0"},
    {'P', "Regal Preis", "40@S@N@0@0@0@N@0@0", "20@0@12@0@8@0@7@0@7@0"},
    {'B', "Plakat A4 Erstellt durch", "8@S@N@4@0@0@N@N@", nullptr},
    {'B', "Plakat A3 Erstellt durch", "10@S@N@5@0@0@N@N@", nullptr},
    {'B', "Reserve", "8@S@N@4@0@0@N@N@", nullptr},
    {'B', "Regal Erstellt durch", "6@S@N@3@0@0@N@N@", nullptr},
    // The name box lies 2.5 mm below the badge frame and is 4.6 mm high on the demo badge
    // (92 x 33 mm, logo 0,3): a smaller size, its line set on the box bottom lifted into
    // the space under the logo.
    {'B', "Personalschild Name", "14@S@N@6@0@-3,5@N@N@", nullptr},
    {'B', "Fliesen groß Alias", "28@S@N@10@0@0@N@N@", nullptr},
    {'B', "Fliesen groß Bezeichnungen", "10@S@N@5@0@0@N@N@", nullptr},
    {'B', "Fliesen groß Werte", "12@S@N@5@0@0@N@N@", nullptr},
    {'B', "Fliesen groß Verpackung/Einheit", "9@S@N@4@0@0@N@N@", nullptr},
    {'P', "Fliesen groß Preis", "40@W@N@0@0@4@N@0@0", "20@0@16@0@10@0@9@0@9@0"},
    {'B', "Fliesen groß (frei)", "10@S@N@5@0@0@N@N@", nullptr},
    {'B', "Fliesen groß Zusatz Kopfzeile", "9@W@J@4@0@0@S@S@", nullptr},
    {'B', "Fliesen groß Zusatz Zeilentext", "9@S@N@4@0@0@N@N@", nullptr},
    {'B', "Fliesen groß Zusatz Alias/Nummer", "9@S@N@4@0@0@N@N@", nullptr},
    {'P', "Fliesen groß Zusatz Preis", "11@S@N@0@0@0@N@0@0", "6@0@6@0@4@0@5@0@4@0"},
    {'B', "Fliesen groß Erklärung", "7@S@N@3@0@0@N@N@", nullptr},
    {'B', "Fliesen groß Erstellt durch", "6@S@N@3@0@0@N@N@", nullptr},
    {'B', "Fliesen klein Alias", "16@S@N@5@0@0@N@N@", nullptr},
    {'B', "Fliesen klein Bezeichnungen", "7@S@N@1,5@0@0@N@N@", nullptr},
    {'B', "Fliesen klein Werte", "8@S@N@1,5@0@0@N@N@", nullptr},
    {'B', "Fliesen klein Verpackung/Einheit", "6@S@N@1,5@0@0@N@N@", nullptr},
    {'P', "Fliesen klein Preis", "26@W@N@0@0@0@N@0@0", "13@0@10@0@6@0@6@0@6@0"},
    {'B', "Fliesen klein (frei)", "7@S@N@4@0@0@N@N@", nullptr},
    {'B', "Fliesen klein Zusatz Kopfzeile", "6@W@J@3@0@0@S@S@", nullptr},
    {'B', "Fliesen klein Zusatz Zeilentext", "6@S@N@3@0@0@N@N@", nullptr},
    {'B', "Fliesen klein Zusatz Alias/Nummer", "6@S@N@3@0@0@N@N@", nullptr},
    {'P', "Fliesen klein Zusatz Preis", "8@S@N@0@0@0@N@0@0", "4@0@4@0@3@0@4@0@3@0"},
    {'B', "Fliesen klein Erklärung", "5@S@N@2@0@0@N@N@", nullptr},
    {'B', "Fliesen klein Erstellt durch", "4@S@N@2@0@0@N@N@", nullptr},
    {'E', "Plakat A4 Überschrift AUF BESTELLUNG!", "48@B@N@0,3@0@0@N@0@0", nullptr},
    {'E', "Plakat A3 Überschrift AUF BESTELLUNG!", "66@B@N@0,4@0@0@N@0@0", nullptr},
    {'E', "Fliesen Überschrift AUF BESTELLUNG!", "22@B@N@0,2@0@0@N@0@0", nullptr},
    {'E', "Regal Überschrift AUF BESTELLUNG!", "20@S@N@0,2@0@0@N@0@0", nullptr},
    {'P', "Freigelände Preis", "40@W@N@0@0@0@S@0,6@0,6", "20@0@14@0@9@0@8@0@8@0"},
    {'B', "Freigelände Bezeichnung", "16@S@N@6,5@0@0@N@N@", nullptr},
    {'B', "Freigelände Erstellt durch", "6@S@N@3@0@0@N@N@", nullptr},
    {'B', "Freigelände Grundpreis/Fußzeile", "8@S@N@4@0@0@N@N@", nullptr},
    {'E', "Eigenbau Überschrift", "36@R@N@0,3@0@0@A@0,5@0,5", nullptr},
    {'P', "Eigenbau Preis", "120@R@N@0@0@0@S@0,8@0,8", "60@0@36@0@20@0@16@0@16@0"},
    {'B', "Eigenbau Grundpreis/Info", "10@S@N@5@0@0@N@N@", nullptr},
    {'B', "Eigenbau Fußzeile", "8@S@N@4@0@0@N@N@", nullptr},
    {'P', "Eigenbau Zusatzpreise", "36@B@N@0@0@0@N@0@0", "18@0@12@0@8@0@8@0@8@0"},
};

static_assert(sizeof kSlots / sizeof kSlots[0] == 72, "one entry per font slot");

}  // namespace

std::span<const FontSlot> fontSlots() { return kSlots; }

}  // namespace kesto::server::demo
