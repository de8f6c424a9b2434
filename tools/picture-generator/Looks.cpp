#include "Looks.h"

namespace pictures {
namespace {

const Rgb kRosewood = Hex(0x3A2416);
const Rgb kEbony = Hex(0x161210);
const Rgb kMaple = Hex(0xE6C688);
const Rgb kCream = Hex(0xF0E8D2);
const Rgb kGold = Hex(0xE0C070);
const Rgb kChrome = Hex(0xC8CCD0);

Paint Sunburst(unsigned centre, unsigned edge, double depth) {
  return Burst(Hex(centre), Hex(edge), depth);
}

GuitarLook Electric(Body body, Head head, Paint finish, std::array<int, 3> pickups) {
  GuitarLook look;
  look.body = body;
  look.head = head;
  look.finish = std::move(finish);
  look.pickups = pickups;
  look.headFace = Hex(0x1A1412);
  return look;
}

GuitarLook TModel(std::string_view picture, std::array<int, 3> pickups) {
  GuitarLook look = Electric(Body::Tele, Head::InLine, Sunburst(0xE8A030, 0x2A0E04, 16), pickups);
  look.headFace = kMaple;
  look.neck = kMaple;
  look.pickupCover = Hex(0x202020);
  if (picture == "14.jpg") {
    look.edge = kCream;
    look.guard = Hex(0xF4F0E8);
  } else if (picture == "2.jpg") {
    look.finish = Sunburst(0xF0D8A0, 0xC89858, 30);
    look.fingerboard = kMaple;
    look.guard = Hex(0x181818);
    look.edge = Hex(0xB88848);
  } else {
    look.finish = Sunburst(0xEACB94, 0xB88850, 30);
    look.edge = Hex(0xA87840);
    look.opening = Opening::FHoles;
  }
  return look;
}

GuitarLook Lester(std::string_view picture, std::array<int, 3> pickups) {
  GuitarLook look = Electric(Body::Carved, Head::Split, Sunburst(0xF0B040, 0x8A1A10, 26), pickups);
  look.edge = kCream;
  look.pickupCover = kChrome;
  if (picture == "2.jpg") {
    look.finish = Sunburst(0xE8CA68, 0xA88430, 16);
    look.pickupCover = Hex(0xF0E6C8);
  } else if (picture == "4.jpg") {
    look.finish = Sunburst(0x303030, 0x0A0A0A, 12);
    look.edge = Hex(0xF4F4F0);
    look.fingerboard = kEbony;
    look.hardware = kGold;
    look.pickupCover = kGold;
  }
  return look;
}

GuitarLook Special(std::string_view picture, std::array<int, 3> pickups) {
  if (picture == "24.jpg") {
    GuitarLook look =
        Electric(Body::Firebird, Head::Reverse, Sunburst(0xD08830, 0x2A0E04, 12), pickups);
    look.edge = Hex(0x2A0E04);
    look.headFace = Hex(0x8A4A20);
    return look;
  }
  GuitarLook look = Electric(Body::Carved, Head::Split, Sunburst(0xB06020, 0x200804, 16), pickups);
  look.edge = Hex(0x200804);
  look.guard = Hex(0x181818);
  if (picture == "35.jpg") {
    look.finish = Sunburst(0xF2DE9E, 0xD8B870, 20);
    look.edge = Hex(0xC8A860);
  }
  return look;
}

GuitarLook Hollow(Body body, Paint finish, std::array<int, 3> pickups) {
  GuitarLook look = Electric(body, Head::Split, std::move(finish), pickups);
  look.edge = kCream;
  look.opening = Opening::FHoles;
  look.pickupCover = kChrome;
  return look;
}

GuitarLook Acoustic(std::string_view picture) {
  GuitarLook look;
  look.body = Body::Dreadnought;
  look.head = Head::Split;
  look.finish = Sunburst(0xF0D8A0, 0xD0A868, 40);
  look.edge = Hex(0x2A1A10);
  look.opening = Opening::SoundHole;
  look.guard = Hex(0x3A1A0C);
  look.fingerboard = kEbony;
  if (picture == "2.jpg" || picture == "4.jpg") {
    look.twelveStrings = true;
    look.head = Head::Slotted12;
  }
  if (picture == "3.jpg") {
    look.widthScale = 0.8;
    look.finish = Sunburst(0xE8C888, 0xC09048, 30);
  } else if (picture == "4.jpg") {
    look.widthScale = 1.08;
    look.finish = Sunburst(0xF0D8A0, 0x8A5020, 26);
  } else if (picture == "5.jpg") {
    look.widthScale = 1.12;
    look.finish = Sunburst(0xF0B040, 0x3A1404, 26);
    look.edge = kCream;
    look.hardware = kGold;
  }
  return look;
}

GuitarLook Reso(std::string_view picture, std::array<int, 3> pickups) {
  GuitarLook look;
  look.body = Body::Resonator;
  look.head = Head::Split;
  look.finish = Sunburst(0xC08040, 0x603010, 20);
  look.edge = kCream;
  look.opening = Opening::Resonator;
  if (picture == "2.jpg") {
    look.finish = Sunburst(0xD03020, 0x400404, 20);
    look.opening = Opening::None;
    look.pickups = pickups;
    look.pickupCover = Hex(0xF4F0E2);
    look.guard = Hex(0xF4F0E8);
  } else if (picture == "3.jpg") {
    look = Electric(Body::Semi, Head::Split, Sunburst(0x2A2A2A, 0x0C0C0C, 10), pickups);
    look.edge = Hex(0xE8E4DA);
    look.pickupCover = kChrome;
  } else if (picture == "4.jpg") {
    look.body = Body::Banjo;
    look.head = Head::Small;
    look.finish = Sunburst(0x8A4A20, 0x4A2008, 6);
    look.opening = Opening::DrumHead;
  } else if (picture == "5.jpg") {
    look.finish = Sparkle(Hex(0xC8CCD2), 0.12);
    look.edge = Hex(0x80868E);
    look.headFace = Hex(0x101010);
  }
  return look;
}

}  // namespace

GuitarLook LookFor(std::string_view bank, std::string_view picture, std::array<int, 3> pickups) {
  const bool second = picture == "24.jpg";
  if (bank == "T-MODEL") {
    return TModel(picture, pickups);
  }
  if (bank == "SPANK") {
    GuitarLook look =
        Electric(Body::Strat, Head::InLine, Sunburst(0xE8A030, 0x1A0804, 13), pickups);
    look.headFace = kMaple;
    look.neck = kMaple;
    look.guard = Hex(0xF4F0E8);
    look.pickupCover = Hex(0xF2EEE2);
    return look;
  }
  if (bank == "LESTER") {
    return Lester(picture, pickups);
  }
  if (bank == "SPECIAL") {
    return Special(picture, pickups);
  }
  if (bank == "R-BILLY") {
    GuitarLook look =
        Hollow(Body::Hollow,
               second ? Sparkle(Hex(0xA8ACB4), 0.22) : Sunburst(0xE87818, 0xA03A08, 22), pickups);
    look.hardware = second ? kChrome : kGold;
    look.opening = second ? Opening::None : Opening::FHoles;
    return look;
  }
  if (bank == "CHIME") {
    GuitarLook look = Hollow(
        Body::Wave, second ? Sunburst(0xF0D8A8, 0xC89860, 22) : Sunburst(0xF05030, 0x6A0A04, 18),
        pickups);
    look.edge = Hex(0xF4F4F0);
    look.opening = Opening::Slash;
    look.guard = Hex(0xF4F4F0);
    look.twelveStrings = second;
    look.head = second ? Head::Slotted12 : Head::Split;
    return look;
  }
  if (bank == "SEMI") {
    GuitarLook look = Hollow(
        Body::Semi, second ? Sunburst(0xE0A040, 0x301004, 22) : Sunburst(0xB02018, 0x500808, 20),
        pickups);
    if (second) {
      look.pickupCover = Hex(0x181818);
    }
    return look;
  }
  if (bank == "JAZZBOX") {
    GuitarLook look = Hollow(
        Body::Archtop, second ? Sunburst(0xF2DCA8, 0xD0A868, 30) : Sunburst(0xE8A848, 0x3A1404, 30),
        pickups);
    if (second) {
      look.widthScale = 1.04;
      look.hardware = kGold;
      look.pickupCover = kGold;
      look.fingerboard = kEbony;
    }
    return look;
  }
  if (bank == "ACOUSTIC") {
    return Acoustic(picture);
  }
  return Reso(picture, pickups);
}

GuitarLook FallbackLook() {
  GuitarLook look =
      Electric(Body::Modelling, Head::Split, Sunburst(0xE82828, 0x700808, 10), {0, 0, 0});
  look.edge = Hex(0x500404);
  look.headFace = Hex(0x1A1010);
  return look;
}

GuitarLook StartLook() {
  GuitarLook look = FallbackLook();
  look.finish = Sunburst(0x383838, 0x0A0A0A, 16);
  look.edge = Hex(0xD0D0D0);
  return look;
}

}  // namespace pictures
