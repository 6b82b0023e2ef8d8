// Customer pages: shop receipts drawn as a receipt program's driver prints them.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "font.h"
#include "pages.h"

namespace samplejobs {

namespace {

struct Item {
  const char* name;
  int cents;
};

struct Shop {
  const char* name;
  const char* street;
  const char* phone;
  const char* thanks;
  std::vector<Item> goods;
};

const std::vector<Shop>& Shops() {
  static const std::vector<Shop> shops = {
      {"GREEN LEAF MARKET", "18 Orchard Road", "Tel 0571-8861 2040", "Thank you for shopping!",
       {{"Apples 1kg", 690}, {"Whole milk 1L", 520}, {"Brown bread", 880}, {"Eggs 10 pcs", 1250},
        {"Rice 5kg", 3990}, {"Green tea 500ml", 350}, {"Tomatoes 500g", 460}, {"Soy sauce", 1180},
        {"Tissues 3 pack", 990}, {"Yoghurt 4 x 100g", 1560}, {"Bananas 1kg", 580}, {"Noodles 400g", 740}}},
      {"RIVERSIDE CAFE", "2 Quay Street", "Tel 0571-8703 1166", "See you again soon!",
       {{"Espresso", 1800}, {"Cafe latte", 2600}, {"Cappuccino", 2600}, {"Green tea", 1500},
        {"Cheese cake", 2800}, {"Club sandwich", 3600}, {"Orange juice", 1900}, {"Croissant", 1200}}},
      {"BLUE HILL BOOKS", "77 College Lane", "Tel 0571-8512 7300", "Happy reading!",
       {{"City atlas", 4800}, {"Notebook A5", 650}, {"Gel pens 4 pcs", 1200}, {"Cookbook", 5600},
        {"Travel guide", 3900}, {"Crossword book", 1500}, {"Wrapping paper", 300}, {"Bookmark", 200}}},
      {"NORTH STAR BAKERY", "5 Mill Street", "Tel 0571-8655 0909", "Fresh every morning",
       {{"Baguette", 800}, {"Rye loaf", 1400}, {"Egg tart", 450}, {"Cream puff", 600},
        {"Birthday cake", 12800}, {"Cinnamon roll", 750}, {"Butter cookies", 2200}, {"Milk bread", 950}}},
      {"SUNRISE NOODLE HOUSE", "310 Station Road", "Tel 0571-8790 4321", "Thank you, come again",
       {{"Beef noodle soup", 2800}, {"Fried rice", 2200}, {"Dumplings 12 pcs", 1800}, {"Spring rolls", 1200},
        {"Wonton soup", 1600}, {"Iced lemon tea", 800}, {"Cola", 600}, {"Tofu with greens", 1900},
        {"Sweet and sour pork", 3200}, {"Steamed buns 3 pcs", 900}}},
      {"HARBOUR HARDWARE", "9 Dock Road", "Tel 0571-8620 3388", "Keep receipt for returns",
       {{"Screws 4x30 100 pcs", 980}, {"Claw hammer", 4500}, {"Paint brush 50mm", 1200}, {"Masking tape", 650},
        {"Wood glue 250ml", 1590}, {"Sandpaper 5 sheets", 800}, {"Tape measure 5m", 2250}, {"Light bulb", 1100}}},
      {"GRAND ARENA TICKETS", "1 Stadium Avenue", "Tel 0571-8800 2008", "Enjoy the games!",
       {{"Ticket block A", 10000}, {"Ticket block B", 8000}, {"Ticket block C", 5000}, {"Programme", 1500},
        {"Seat cushion", 2000}, {"Booking fee", 500}}},
      {"LAKESIDE GUEST HOUSE", "42 Lake Road", "Tel 0571-8733 5151", "Have a good journey",
       {{"Room 1 night", 26800}, {"Breakfast", 3800}, {"Laundry", 2500}, {"Minibar", 1800},
        {"Parking", 1500}, {"Telephone", 600}}},
  };
  return shops;
}

// Fixed-start linear congruential numbers, so every run draws the same receipts.
class Numbers {
 public:
  explicit Numbers(unsigned start) : state_(start) {}
  int Below(int n) {
    state_ = state_ * 1103515245u + 12345u;
    return static_cast<int>((state_ >> 16) % static_cast<std::uint32_t>(n));
  }

 private:
  std::uint32_t state_;
};

std::string Money(long cents) {
  char text[32];
  std::snprintf(text, sizeof text, "%ld.%02ld", cents / 100, cents % 100);
  return text;
}

struct Line {
  enum Kind { Plain, Centre, Big, BigCentre, Rule, Gap } kind;
  std::string left;
  std::string right;
};

std::vector<Line> ReceiptLines(const Shop& shop, int number, int itemCount, Numbers& numbers) {
  std::vector<Line> lines = {
      {Line::BigCentre, shop.name, ""},
      {Line::Centre, shop.street, ""},
      {Line::Centre, shop.phone, ""},
      {Line::Gap, "", ""},
  };
  char text[64];
  std::snprintf(text, sizeof text, "No. %06d", number);
  lines.push_back({Line::Plain, text, "Till " + std::to_string(1 + number % 4)});
  const int minutes = 8 * 60 + 5 + (number * 17) % (12 * 60);
  std::snprintf(text, sizeof text, "2009-05-%02d %02d:%02d:%02d", 6 + number % 20, minutes / 60, minutes % 60,
                (number * 23) % 60);
  lines.push_back({Line::Plain, text, "Op " + std::to_string(10 + number % 7)});
  lines.push_back({Line::Rule, "", ""});

  // The goods in a shuffled order, so that an item repeats only on long receipts.
  std::vector<const Item*> order;
  for (const Item& item : shop.goods) order.push_back(&item);
  for (std::size_t i = order.size(); i > 1; --i)
    std::swap(order[i - 1], order[static_cast<std::size_t>(numbers.Below(static_cast<int>(i)))]);

  long total = 0;
  for (int i = 0; i < itemCount; ++i) {
    const Item& item = *order[static_cast<std::size_t>(i) % order.size()];
    const int quantity = 1 + (numbers.Below(4) == 0 ? 1 + numbers.Below(3) : 0);
    total += static_cast<long>(item.cents) * quantity;
    lines.push_back({Line::Plain, item.name, Money(static_cast<long>(item.cents) * quantity)});
    if (quantity > 1) lines.push_back({Line::Plain, "  " + std::to_string(quantity) + " x " + Money(item.cents), ""});
  }
  lines.push_back({Line::Rule, "", ""});
  lines.push_back({Line::Big, "TOTAL", Money(total)});
  const long step = total < 5000 ? 1000 : total < 20000 ? 5000 : 10000;
  const long paid = (total / step + 1) * step;
  lines.push_back({Line::Plain, "Cash", Money(paid)});
  lines.push_back({Line::Plain, "Change", Money(paid - total)});
  lines.push_back({Line::Rule, "", ""});
  lines.push_back({Line::Centre, shop.thanks, ""});
  lines.push_back({Line::Gap, "", ""});
  return lines;
}

class ReceiptPainter {
 public:
  ReceiptPainter(Geometry geometry, const PageOptions& page) : geometry_(geometry) {
    Canvas probe(geometry, 0);
    body_ = StyleForHeight(probe, page.textMm);
    pitch_ = page.linePitch * body_.sy;
  }

  Canvas Paint(const std::vector<Line>& lines) const {
    int height = 0;
    for (const Line& line : lines) height += Height(line, BigFor(line));
    Canvas c(geometry_, height);
    int y = 0;
    for (const Line& line : lines) {
      const TextStyle big = BigFor(line);
      const TextStyle style = line.kind == Line::Big || line.kind == Line::BigCentre ? big : body_;
      switch (line.kind) {
        case Line::Centre:
        case Line::BigCentre:
          if (TextWidth(line.left, style) > c.Width()) throw std::length_error("receipt line too wide: " + line.left);
          DrawCentred(c, y, line.left, style);
          break;
        case Line::Plain:
        case Line::Big:
          if (TextWidth(line.left + "  " + line.right, style) > c.Width())
            throw std::length_error("receipt line too wide: " + line.left);
          DrawText(c, 0, y, line.left, style);
          DrawText(c, c.Width() - TextWidth(line.right, style), y, line.right, style);
          break;
        case Line::Rule: {
          const int dash = std::max(2, c.Mx(1.0)), mid = y + pitch_ / 2 - body_.sy;
          for (int x = 0; x < c.Width(); x += dash * 2) c.Fill(x, mid, dash, body_.sy);
          break;
        }
        case Line::Gap: break;
      }
      y += Height(line, big);
    }
    return c;
  }

 private:
  // Double size where the text fits the paper, else double height only.
  TextStyle BigFor(const Line& line) const {
    TextStyle big{body_.sx * 2, body_.sy * 2};
    const int width = TextWidth(line.left + (line.right.empty() ? "" : "  " + line.right), big);
    if (width > geometry_.width) big.sx = body_.sx;
    return big;
  }

  int Height(const Line& line, TextStyle big) const {
    if (line.kind == Line::Gap) return pitch_ / 2;
    if (line.kind == Line::Big || line.kind == Line::BigCentre) return pitch_ * big.sy / body_.sy;
    return pitch_;
  }

  Geometry geometry_;
  TextStyle body_;
  int pitch_ = 10;
};

// A round badge: a ring around two hills under a sun.
Canvas Logo(Geometry geometry) {
  Canvas c(geometry, 0);
  const int h = c.My(20), cx = c.Width() / 2, cy = h / 2;
  c = Canvas(geometry, h + c.My(2));
  const int rx = c.Mx(9.5), ry = c.My(9.5);
  c.Ring(cx, cy, rx, ry, c.Mx(1.2), c.My(1.2));
  const double inner = 8.0;  // mm
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < c.Width(); ++x) {
      const double u = (x - cx) * 25.4 / c.DpiX(), v = (y - cy) * 25.4 / c.DpiY();
      if (u * u + v * v > inner * inner) continue;
      const bool hill = v > 2.5 - 3.5 * std::cos(u / 3.0) || v > 4.0 - 2.5 * std::cos((u - 4.0) / 2.2);
      const bool sun = (u + 2.5) * (u + 2.5) + (v + 3.0) * (v + 3.0) < 2.6 * 2.6;
      if (hill || sun) c.Set(x, y);
    }
  return c;
}

}  // namespace

void CustomerReceipts(ByteStream& out, const Printer& printer, const PageOptions& page, int stretch) {
  const Shop& shop = Shops()[static_cast<std::size_t>(page.shop) % Shops().size()];
  const ReceiptPainter painter(printer.Layout(), page);
  const int receipts = std::max(1, page.receipts);
  for (int r = 0; r < receipts; ++r) {
    // Numbers of their own per receipt: one more item on one receipt leaves the others as
    // they were, so the job grows steadily with the item count.
    Numbers numbers(page.startValue * 1000u + static_cast<unsigned>(r));
    const int items = stretch / receipts + (r < stretch % receipts ? 1 : 0);
    if (page.logo) printer.Image(out, Logo(printer.Layout(Detail::Fine)), Detail::Fine);
    printer.Image(out, painter.Paint(ReceiptLines(shop, static_cast<int>(page.startValue) + r, items, numbers)));
    if (r + 1 < receipts) printer.Cut(out);
  }
}

}  // namespace samplejobs
