#pragma once

// Record classes of the collection model: one typed property per attribute. Each entity's
// attributes are listed once, here; the accessors reach them by position, found when compiling.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/date.h"
#include "platform/store/object_store.h"

namespace tockary {

inline constexpr std::array<AttributeEntry, 41> kKelloAttributes = {{
    {"merkki", AttributeType::String},
    {"malli", AttributeType::String},
    {"vuosimalli", AttributeType::String},
    {"refkoodi", AttributeType::String},
    {"sarjanumero", AttributeType::String},
    {"koneistotyyppi", AttributeType::String},
    {"koneisto", AttributeType::String},
    {"powerreserve", AttributeType::String},
    {"bph", AttributeType::String},
    {"halkaisija", AttributeType::String},
    {"kuorenmateriaali", AttributeType::String},
    {"paksuus", AttributeType::String},
    {"lugivali", AttributeType::String},
    {"bezelmateriaali", AttributeType::String},
    {"lasi", AttributeType::String},
    {"vedenpitavyys", AttributeType::String},
    {"tauluvari", AttributeType::String},
    {"kruunu", AttributeType::String},
    {"setlaajuus", AttributeType::String},
    {"komplikaatio1", AttributeType::String},
    {"komplikaatio2", AttributeType::String},
    {"komplikaatio3", AttributeType::String},
    {"komplikaatio4", AttributeType::String},
    {"komplikaatio5", AttributeType::String},
    {"komplikaatio6", AttributeType::String},
    {"ostoliike", AttributeType::String},
    {"ostopvm", AttributeType::Date},
    {"ostohinta", AttributeType::Double},
    {"takuupvm", AttributeType::Date},
    {"myyntiliike", AttributeType::String},
    {"myyntipvm", AttributeType::Date},
    {"myyntihinta", AttributeType::Double},
    {"varasarake1", AttributeType::String},
    {"varasarake2", AttributeType::String},
    {"varasarake3", AttributeType::String},
    {"varasarake4", AttributeType::Double},
    {"varasarake5", AttributeType::Date},
    {"varasarake6", AttributeType::Bytes},
    {"kellokuva", AttributeType::Bytes},
    {"takuukortti", AttributeType::Bytes},
    {"ostokuitti", AttributeType::Bytes},
}};

class Kello : public ManagedObject {
 public:
  static consteval int attribute(std::string_view name) {
    return attributeIndexIn(kKelloAttributes, name);
  }
  static std::string_view entityName() { return "Kello"; }
  static FetchRequest fetchRequest() { return FetchRequest(std::string(entityName())); }

  std::optional<std::string> merkki() const { return stringAt(attribute("merkki")); }
  void setMerkki(std::optional<std::string> value) {
    setStringAt(attribute("merkki"), std::move(value));
  }
  std::optional<std::string> malli() const { return stringAt(attribute("malli")); }
  void setMalli(std::optional<std::string> value) {
    setStringAt(attribute("malli"), std::move(value));
  }
  std::optional<std::string> vuosimalli() const { return stringAt(attribute("vuosimalli")); }
  void setVuosimalli(std::optional<std::string> value) {
    setStringAt(attribute("vuosimalli"), std::move(value));
  }
  std::optional<std::string> refkoodi() const { return stringAt(attribute("refkoodi")); }
  void setRefkoodi(std::optional<std::string> value) {
    setStringAt(attribute("refkoodi"), std::move(value));
  }
  std::optional<std::string> sarjanumero() const { return stringAt(attribute("sarjanumero")); }
  void setSarjanumero(std::optional<std::string> value) {
    setStringAt(attribute("sarjanumero"), std::move(value));
  }
  std::optional<std::string> koneistotyyppi() const {
    return stringAt(attribute("koneistotyyppi"));
  }
  void setKoneistotyyppi(std::optional<std::string> value) {
    setStringAt(attribute("koneistotyyppi"), std::move(value));
  }
  std::optional<std::string> koneisto() const { return stringAt(attribute("koneisto")); }
  void setKoneisto(std::optional<std::string> value) {
    setStringAt(attribute("koneisto"), std::move(value));
  }
  std::optional<std::string> powerreserve() const { return stringAt(attribute("powerreserve")); }
  void setPowerreserve(std::optional<std::string> value) {
    setStringAt(attribute("powerreserve"), std::move(value));
  }
  std::optional<std::string> bph() const { return stringAt(attribute("bph")); }
  void setBph(std::optional<std::string> value) { setStringAt(attribute("bph"), std::move(value)); }
  std::optional<std::string> halkaisija() const { return stringAt(attribute("halkaisija")); }
  void setHalkaisija(std::optional<std::string> value) {
    setStringAt(attribute("halkaisija"), std::move(value));
  }
  std::optional<std::string> kuorenmateriaali() const {
    return stringAt(attribute("kuorenmateriaali"));
  }
  void setKuorenmateriaali(std::optional<std::string> value) {
    setStringAt(attribute("kuorenmateriaali"), std::move(value));
  }
  std::optional<std::string> paksuus() const { return stringAt(attribute("paksuus")); }
  void setPaksuus(std::optional<std::string> value) {
    setStringAt(attribute("paksuus"), std::move(value));
  }
  std::optional<std::string> lugivali() const { return stringAt(attribute("lugivali")); }
  void setLugivali(std::optional<std::string> value) {
    setStringAt(attribute("lugivali"), std::move(value));
  }
  std::optional<std::string> bezelmateriaali() const {
    return stringAt(attribute("bezelmateriaali"));
  }
  void setBezelmateriaali(std::optional<std::string> value) {
    setStringAt(attribute("bezelmateriaali"), std::move(value));
  }
  std::optional<std::string> lasi() const { return stringAt(attribute("lasi")); }
  void setLasi(std::optional<std::string> value) {
    setStringAt(attribute("lasi"), std::move(value));
  }
  std::optional<std::string> vedenpitavyys() const { return stringAt(attribute("vedenpitavyys")); }
  void setVedenpitavyys(std::optional<std::string> value) {
    setStringAt(attribute("vedenpitavyys"), std::move(value));
  }
  std::optional<std::string> tauluvari() const { return stringAt(attribute("tauluvari")); }
  void setTauluvari(std::optional<std::string> value) {
    setStringAt(attribute("tauluvari"), std::move(value));
  }
  std::optional<std::string> kruunu() const { return stringAt(attribute("kruunu")); }
  void setKruunu(std::optional<std::string> value) {
    setStringAt(attribute("kruunu"), std::move(value));
  }
  std::optional<std::string> setlaajuus() const { return stringAt(attribute("setlaajuus")); }
  void setSetlaajuus(std::optional<std::string> value) {
    setStringAt(attribute("setlaajuus"), std::move(value));
  }
  std::optional<std::string> komplikaatio1() const { return stringAt(attribute("komplikaatio1")); }
  void setKomplikaatio1(std::optional<std::string> value) {
    setStringAt(attribute("komplikaatio1"), std::move(value));
  }
  std::optional<std::string> komplikaatio2() const { return stringAt(attribute("komplikaatio2")); }
  void setKomplikaatio2(std::optional<std::string> value) {
    setStringAt(attribute("komplikaatio2"), std::move(value));
  }
  std::optional<std::string> komplikaatio3() const { return stringAt(attribute("komplikaatio3")); }
  void setKomplikaatio3(std::optional<std::string> value) {
    setStringAt(attribute("komplikaatio3"), std::move(value));
  }
  std::optional<std::string> komplikaatio4() const { return stringAt(attribute("komplikaatio4")); }
  void setKomplikaatio4(std::optional<std::string> value) {
    setStringAt(attribute("komplikaatio4"), std::move(value));
  }
  std::optional<std::string> komplikaatio5() const { return stringAt(attribute("komplikaatio5")); }
  void setKomplikaatio5(std::optional<std::string> value) {
    setStringAt(attribute("komplikaatio5"), std::move(value));
  }
  std::optional<std::string> komplikaatio6() const { return stringAt(attribute("komplikaatio6")); }
  void setKomplikaatio6(std::optional<std::string> value) {
    setStringAt(attribute("komplikaatio6"), std::move(value));
  }
  std::optional<std::string> ostoliike() const { return stringAt(attribute("ostoliike")); }
  void setOstoliike(std::optional<std::string> value) {
    setStringAt(attribute("ostoliike"), std::move(value));
  }
  std::optional<Date> ostopvm() const { return dateAt(attribute("ostopvm")); }
  void setOstopvm(std::optional<Date> value) { setDateAt(attribute("ostopvm"), std::move(value)); }
  double ostohinta() const { return doubleAt(attribute("ostohinta")); }
  void setOstohinta(double value) { setDoubleAt(attribute("ostohinta"), value); }
  std::optional<Date> takuupvm() const { return dateAt(attribute("takuupvm")); }
  void setTakuupvm(std::optional<Date> value) {
    setDateAt(attribute("takuupvm"), std::move(value));
  }
  std::optional<std::string> myyntiliike() const { return stringAt(attribute("myyntiliike")); }
  void setMyyntiliike(std::optional<std::string> value) {
    setStringAt(attribute("myyntiliike"), std::move(value));
  }
  std::optional<Date> myyntipvm() const { return dateAt(attribute("myyntipvm")); }
  void setMyyntipvm(std::optional<Date> value) {
    setDateAt(attribute("myyntipvm"), std::move(value));
  }
  double myyntihinta() const { return doubleAt(attribute("myyntihinta")); }
  void setMyyntihinta(double value) { setDoubleAt(attribute("myyntihinta"), value); }
  std::optional<std::string> varasarake1() const { return stringAt(attribute("varasarake1")); }
  void setVarasarake1(std::optional<std::string> value) {
    setStringAt(attribute("varasarake1"), std::move(value));
  }
  std::optional<std::string> varasarake2() const { return stringAt(attribute("varasarake2")); }
  void setVarasarake2(std::optional<std::string> value) {
    setStringAt(attribute("varasarake2"), std::move(value));
  }
  std::optional<std::string> varasarake3() const { return stringAt(attribute("varasarake3")); }
  void setVarasarake3(std::optional<std::string> value) {
    setStringAt(attribute("varasarake3"), std::move(value));
  }
  double varasarake4() const { return doubleAt(attribute("varasarake4")); }
  void setVarasarake4(double value) { setDoubleAt(attribute("varasarake4"), value); }
  std::optional<Date> varasarake5() const { return dateAt(attribute("varasarake5")); }
  void setVarasarake5(std::optional<Date> value) {
    setDateAt(attribute("varasarake5"), std::move(value));
  }
  std::optional<Bytes> varasarake6() const { return bytesAt(attribute("varasarake6")); }
  void setVarasarake6(std::optional<Bytes> value) {
    setBytesAt(attribute("varasarake6"), std::move(value));
  }
  std::optional<Bytes> kellokuva() const { return bytesAt(attribute("kellokuva")); }
  // Whether the watch has a front (kellokuva) or back (varasarake6) picture, without reading it.
  bool hasKellokuva() const { return hasValueAt(attribute("kellokuva")); }
  bool hasVarasarake6() const { return hasValueAt(attribute("varasarake6")); }
  void setKellokuva(std::optional<Bytes> value) {
    setBytesAt(attribute("kellokuva"), std::move(value));
  }
  std::optional<Bytes> takuukortti() const { return bytesAt(attribute("takuukortti")); }
  void setTakuukortti(std::optional<Bytes> value) {
    setBytesAt(attribute("takuukortti"), std::move(value));
  }
  std::optional<Bytes> ostokuitti() const { return bytesAt(attribute("ostokuitti")); }
  void setOstokuitti(std::optional<Bytes> value) {
    setBytesAt(attribute("ostokuitti"), std::move(value));
  }
};

inline constexpr std::array<AttributeEntry, 9> kHuoltoAttributes = {{
    {"huoltoliike", AttributeType::String},
    {"huollonkello", AttributeType::String},
    {"huoltopvm", AttributeType::Date},
    {"huollostapaluupvm", AttributeType::Date},
    {"huoltotakuupvm", AttributeType::Date},
    {"huoltosyy", AttributeType::String},
    {"huoltohinta", AttributeType::Double},
    {"huoltokuvaus", AttributeType::String},
    {"huoltokuitti", AttributeType::Bytes},
}};

class Huolto : public ManagedObject {
 public:
  static consteval int attribute(std::string_view name) {
    return attributeIndexIn(kHuoltoAttributes, name);
  }
  static std::string_view entityName() { return "Huolto"; }
  static FetchRequest fetchRequest() { return FetchRequest(std::string(entityName())); }

  std::optional<std::string> huoltoliike() const { return stringAt(attribute("huoltoliike")); }
  void setHuoltoliike(std::optional<std::string> value) {
    setStringAt(attribute("huoltoliike"), std::move(value));
  }
  std::optional<std::string> huollonkello() const { return stringAt(attribute("huollonkello")); }
  void setHuollonkello(std::optional<std::string> value) {
    setStringAt(attribute("huollonkello"), std::move(value));
  }
  std::optional<Date> huoltopvm() const { return dateAt(attribute("huoltopvm")); }
  void setHuoltopvm(std::optional<Date> value) {
    setDateAt(attribute("huoltopvm"), std::move(value));
  }
  std::optional<Date> huollostapaluupvm() const { return dateAt(attribute("huollostapaluupvm")); }
  void setHuollostapaluupvm(std::optional<Date> value) {
    setDateAt(attribute("huollostapaluupvm"), std::move(value));
  }
  std::optional<Date> huoltotakuupvm() const { return dateAt(attribute("huoltotakuupvm")); }
  void setHuoltotakuupvm(std::optional<Date> value) {
    setDateAt(attribute("huoltotakuupvm"), std::move(value));
  }
  std::optional<std::string> huoltosyy() const { return stringAt(attribute("huoltosyy")); }
  void setHuoltosyy(std::optional<std::string> value) {
    setStringAt(attribute("huoltosyy"), std::move(value));
  }
  double huoltohinta() const { return doubleAt(attribute("huoltohinta")); }
  void setHuoltohinta(double value) { setDoubleAt(attribute("huoltohinta"), value); }
  std::optional<std::string> huoltokuvaus() const { return stringAt(attribute("huoltokuvaus")); }
  void setHuoltokuvaus(std::optional<std::string> value) {
    setStringAt(attribute("huoltokuvaus"), std::move(value));
  }
  std::optional<Bytes> huoltokuitti() const { return bytesAt(attribute("huoltokuitti")); }
  void setHuoltokuitti(std::optional<Bytes> value) {
    setBytesAt(attribute("huoltokuitti"), std::move(value));
  }
};

inline constexpr std::array<AttributeEntry, 5> kTakuuAttributes = {{
    {"takuunKello", AttributeType::String},
    {"takuuKortti", AttributeType::Bytes},
    {"takuuPVM", AttributeType::Date},
    {"varaPVM1", AttributeType::Date},
    {"varaString1", AttributeType::String},
}};

class Takuu : public ManagedObject {
 public:
  static consteval int attribute(std::string_view name) {
    return attributeIndexIn(kTakuuAttributes, name);
  }
  static std::string_view entityName() { return "Takuu"; }
  static FetchRequest fetchRequest() { return FetchRequest(std::string(entityName())); }

  std::optional<std::string> takuunKello() const { return stringAt(attribute("takuunKello")); }
  void setTakuunKello(std::optional<std::string> value) {
    setStringAt(attribute("takuunKello"), std::move(value));
  }
  std::optional<Bytes> takuuKortti() const { return bytesAt(attribute("takuuKortti")); }
  void setTakuuKortti(std::optional<Bytes> value) {
    setBytesAt(attribute("takuuKortti"), std::move(value));
  }
  std::optional<Date> takuuPVM() const { return dateAt(attribute("takuuPVM")); }
  void setTakuuPVM(std::optional<Date> value) {
    setDateAt(attribute("takuuPVM"), std::move(value));
  }
  std::optional<Date> varaPVM1() const { return dateAt(attribute("varaPVM1")); }
  void setVaraPVM1(std::optional<Date> value) {
    setDateAt(attribute("varaPVM1"), std::move(value));
  }
  std::optional<std::string> varaString1() const { return stringAt(attribute("varaString1")); }
  void setVaraString1(std::optional<std::string> value) {
    setStringAt(attribute("varaString1"), std::move(value));
  }
};

inline constexpr std::array<AttributeEntry, 10> kMittaustietoAttributes = {{
    {"amplitudi", AttributeType::Int16},
    {"beaterror", AttributeType::Double},
    {"heittopervrk", AttributeType::Int16},
    {"mittauksenKello", AttributeType::String},
    {"mittauskuva", AttributeType::Bytes},
    {"mittauspvm", AttributeType::Date},
    {"mittaustietojenkello", AttributeType::String},
    {"varaKuva1", AttributeType::Bytes},
    {"varaPVM1", AttributeType::Date},
    {"varaString1", AttributeType::String},
}};

class Mittaustieto : public ManagedObject {
 public:
  static consteval int attribute(std::string_view name) {
    return attributeIndexIn(kMittaustietoAttributes, name);
  }
  static std::string_view entityName() { return "Mittaustieto"; }
  static FetchRequest fetchRequest() { return FetchRequest(std::string(entityName())); }

  std::int16_t amplitudi() const { return int16At(attribute("amplitudi")); }
  void setAmplitudi(std::int16_t value) { setInt16At(attribute("amplitudi"), value); }
  double beaterror() const { return doubleAt(attribute("beaterror")); }
  void setBeaterror(double value) { setDoubleAt(attribute("beaterror"), value); }
  std::int16_t heittopervrk() const { return int16At(attribute("heittopervrk")); }
  void setHeittopervrk(std::int16_t value) { setInt16At(attribute("heittopervrk"), value); }
  std::optional<std::string> mittauksenKello() const {
    return stringAt(attribute("mittauksenKello"));
  }
  void setMittauksenKello(std::optional<std::string> value) {
    setStringAt(attribute("mittauksenKello"), std::move(value));
  }
  std::optional<Bytes> mittauskuva() const { return bytesAt(attribute("mittauskuva")); }
  void setMittauskuva(std::optional<Bytes> value) {
    setBytesAt(attribute("mittauskuva"), std::move(value));
  }
  std::optional<Date> mittauspvm() const { return dateAt(attribute("mittauspvm")); }
  void setMittauspvm(std::optional<Date> value) {
    setDateAt(attribute("mittauspvm"), std::move(value));
  }
  std::optional<std::string> mittaustietojenkello() const {
    return stringAt(attribute("mittaustietojenkello"));
  }
  void setMittaustietojenkello(std::optional<std::string> value) {
    setStringAt(attribute("mittaustietojenkello"), std::move(value));
  }
  std::optional<Bytes> varaKuva1() const { return bytesAt(attribute("varaKuva1")); }
  void setVaraKuva1(std::optional<Bytes> value) {
    setBytesAt(attribute("varaKuva1"), std::move(value));
  }
  std::optional<Date> varaPVM1() const { return dateAt(attribute("varaPVM1")); }
  void setVaraPVM1(std::optional<Date> value) {
    setDateAt(attribute("varaPVM1"), std::move(value));
  }
  std::optional<std::string> varaString1() const { return stringAt(attribute("varaString1")); }
  void setVaraString1(std::optional<std::string> value) {
    setStringAt(attribute("varaString1"), std::move(value));
  }
};

inline constexpr std::array<AttributeEntry, 13> kKellokuvatAttributes = {{
    {"kellokuva1", AttributeType::Bytes},
    {"kellokuva2", AttributeType::Bytes},
    {"kellokuva3", AttributeType::Bytes},
    {"kellokuva4", AttributeType::Bytes},
    {"kellokuva5", AttributeType::Bytes},
    {"kellokuva6", AttributeType::Bytes},
    {"kellokuva7", AttributeType::Bytes},
    {"kellokuva8", AttributeType::Bytes},
    {"kellokuva9", AttributeType::Bytes},
    {"kellokuva10", AttributeType::Bytes},
    {"kuvanKello", AttributeType::String},
    {"kuvanPVM", AttributeType::Date},
    {"varaKuva1", AttributeType::Bytes},
}};

class Kellokuvat : public ManagedObject {
 public:
  static consteval int attribute(std::string_view name) {
    return attributeIndexIn(kKellokuvatAttributes, name);
  }
  static std::string_view entityName() { return "Kellokuvat"; }
  static FetchRequest fetchRequest() { return FetchRequest(std::string(entityName())); }

  std::optional<Bytes> kellokuva1() const { return bytesAt(attribute("kellokuva1")); }
  void setKellokuva1(std::optional<Bytes> value) {
    setBytesAt(attribute("kellokuva1"), std::move(value));
  }
  std::optional<Bytes> kellokuva2() const { return bytesAt(attribute("kellokuva2")); }
  void setKellokuva2(std::optional<Bytes> value) {
    setBytesAt(attribute("kellokuva2"), std::move(value));
  }
  std::optional<Bytes> kellokuva3() const { return bytesAt(attribute("kellokuva3")); }
  void setKellokuva3(std::optional<Bytes> value) {
    setBytesAt(attribute("kellokuva3"), std::move(value));
  }
  std::optional<Bytes> kellokuva4() const { return bytesAt(attribute("kellokuva4")); }
  void setKellokuva4(std::optional<Bytes> value) {
    setBytesAt(attribute("kellokuva4"), std::move(value));
  }
  std::optional<Bytes> kellokuva5() const { return bytesAt(attribute("kellokuva5")); }
  void setKellokuva5(std::optional<Bytes> value) {
    setBytesAt(attribute("kellokuva5"), std::move(value));
  }
  std::optional<Bytes> kellokuva6() const { return bytesAt(attribute("kellokuva6")); }
  void setKellokuva6(std::optional<Bytes> value) {
    setBytesAt(attribute("kellokuva6"), std::move(value));
  }
  std::optional<Bytes> kellokuva7() const { return bytesAt(attribute("kellokuva7")); }
  void setKellokuva7(std::optional<Bytes> value) {
    setBytesAt(attribute("kellokuva7"), std::move(value));
  }
  std::optional<Bytes> kellokuva8() const { return bytesAt(attribute("kellokuva8")); }
  void setKellokuva8(std::optional<Bytes> value) {
    setBytesAt(attribute("kellokuva8"), std::move(value));
  }
  std::optional<Bytes> kellokuva9() const { return bytesAt(attribute("kellokuva9")); }
  void setKellokuva9(std::optional<Bytes> value) {
    setBytesAt(attribute("kellokuva9"), std::move(value));
  }
  std::optional<Bytes> kellokuva10() const { return bytesAt(attribute("kellokuva10")); }
  void setKellokuva10(std::optional<Bytes> value) {
    setBytesAt(attribute("kellokuva10"), std::move(value));
  }
  std::optional<std::string> kuvanKello() const { return stringAt(attribute("kuvanKello")); }
  void setKuvanKello(std::optional<std::string> value) {
    setStringAt(attribute("kuvanKello"), std::move(value));
  }
  std::optional<Date> kuvanPVM() const { return dateAt(attribute("kuvanPVM")); }
  void setKuvanPVM(std::optional<Date> value) {
    setDateAt(attribute("kuvanPVM"), std::move(value));
  }
  std::optional<Bytes> varaKuva1() const { return bytesAt(attribute("varaKuva1")); }
  void setVaraKuva1(std::optional<Bytes> value) {
    setBytesAt(attribute("varaKuva1"), std::move(value));
  }
};

inline constexpr std::array<AttributeEntry, 10> kVaratauluAttributes = {{
    {"varaString1", AttributeType::String},
    {"varaString2", AttributeType::String},
    {"varaString3", AttributeType::String},
    {"varaString4", AttributeType::String},
    {"varaString5", AttributeType::String},
    {"varaPVM1", AttributeType::Date},
    {"varaPVM2", AttributeType::Date},
    {"varaDouble1", AttributeType::Double},
    {"varaInt1", AttributeType::Int16},
    {"varaData1", AttributeType::Bytes},
}};

class Varataulu : public ManagedObject {
 public:
  static consteval int attribute(std::string_view name) {
    return attributeIndexIn(kVaratauluAttributes, name);
  }
  static std::string_view entityName() { return "Varataulu"; }
  static FetchRequest fetchRequest() { return FetchRequest(std::string(entityName())); }

  std::optional<std::string> varaString1() const { return stringAt(attribute("varaString1")); }
  void setVaraString1(std::optional<std::string> value) {
    setStringAt(attribute("varaString1"), std::move(value));
  }
  std::optional<std::string> varaString2() const { return stringAt(attribute("varaString2")); }
  void setVaraString2(std::optional<std::string> value) {
    setStringAt(attribute("varaString2"), std::move(value));
  }
  std::optional<std::string> varaString3() const { return stringAt(attribute("varaString3")); }
  void setVaraString3(std::optional<std::string> value) {
    setStringAt(attribute("varaString3"), std::move(value));
  }
  std::optional<std::string> varaString4() const { return stringAt(attribute("varaString4")); }
  void setVaraString4(std::optional<std::string> value) {
    setStringAt(attribute("varaString4"), std::move(value));
  }
  std::optional<std::string> varaString5() const { return stringAt(attribute("varaString5")); }
  void setVaraString5(std::optional<std::string> value) {
    setStringAt(attribute("varaString5"), std::move(value));
  }
  std::optional<Date> varaPVM1() const { return dateAt(attribute("varaPVM1")); }
  void setVaraPVM1(std::optional<Date> value) {
    setDateAt(attribute("varaPVM1"), std::move(value));
  }
  std::optional<Date> varaPVM2() const { return dateAt(attribute("varaPVM2")); }
  void setVaraPVM2(std::optional<Date> value) {
    setDateAt(attribute("varaPVM2"), std::move(value));
  }
  double varaDouble1() const { return doubleAt(attribute("varaDouble1")); }
  void setVaraDouble1(double value) { setDoubleAt(attribute("varaDouble1"), value); }
  std::int16_t varaInt1() const { return int16At(attribute("varaInt1")); }
  void setVaraInt1(std::int16_t value) { setInt16At(attribute("varaInt1"), value); }
  std::optional<Bytes> varaData1() const { return bytesAt(attribute("varaData1")); }
  void setVaraData1(std::optional<Bytes> value) {
    setBytesAt(attribute("varaData1"), std::move(value));
  }
};

// The entities, attributes and relationships of the collection store.
std::vector<EntityDescription> collectionEntities();

}  // namespace tockary
