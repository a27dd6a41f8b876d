#pragma once

// Record classes of the collection model: one typed property per attribute.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/date.h"
#include "platform/store/object_store.h"

namespace tockary {

class Kello : public ManagedObject {
 public:
  static std::string_view entityName() { return "Kello"; }
  static FetchRequest fetchRequest() { return FetchRequest(std::string(entityName())); }

  std::optional<std::string> merkki() const { return stringForKey("merkki"); }
  void setMerkki(std::optional<std::string> value) { setStringForKey("merkki", std::move(value)); }
  std::optional<std::string> malli() const { return stringForKey("malli"); }
  void setMalli(std::optional<std::string> value) { setStringForKey("malli", std::move(value)); }
  std::optional<std::string> vuosimalli() const { return stringForKey("vuosimalli"); }
  void setVuosimalli(std::optional<std::string> value) {
    setStringForKey("vuosimalli", std::move(value));
  }
  std::optional<std::string> refkoodi() const { return stringForKey("refkoodi"); }
  void setRefkoodi(std::optional<std::string> value) {
    setStringForKey("refkoodi", std::move(value));
  }
  std::optional<std::string> sarjanumero() const { return stringForKey("sarjanumero"); }
  void setSarjanumero(std::optional<std::string> value) {
    setStringForKey("sarjanumero", std::move(value));
  }
  std::optional<std::string> koneistotyyppi() const { return stringForKey("koneistotyyppi"); }
  void setKoneistotyyppi(std::optional<std::string> value) {
    setStringForKey("koneistotyyppi", std::move(value));
  }
  std::optional<std::string> koneisto() const { return stringForKey("koneisto"); }
  void setKoneisto(std::optional<std::string> value) {
    setStringForKey("koneisto", std::move(value));
  }
  std::optional<std::string> powerreserve() const { return stringForKey("powerreserve"); }
  void setPowerreserve(std::optional<std::string> value) {
    setStringForKey("powerreserve", std::move(value));
  }
  std::optional<std::string> bph() const { return stringForKey("bph"); }
  void setBph(std::optional<std::string> value) { setStringForKey("bph", std::move(value)); }
  std::optional<std::string> halkaisija() const { return stringForKey("halkaisija"); }
  void setHalkaisija(std::optional<std::string> value) {
    setStringForKey("halkaisija", std::move(value));
  }
  std::optional<std::string> kuorenmateriaali() const { return stringForKey("kuorenmateriaali"); }
  void setKuorenmateriaali(std::optional<std::string> value) {
    setStringForKey("kuorenmateriaali", std::move(value));
  }
  std::optional<std::string> paksuus() const { return stringForKey("paksuus"); }
  void setPaksuus(std::optional<std::string> value) {
    setStringForKey("paksuus", std::move(value));
  }
  std::optional<std::string> lugivali() const { return stringForKey("lugivali"); }
  void setLugivali(std::optional<std::string> value) {
    setStringForKey("lugivali", std::move(value));
  }
  std::optional<std::string> bezelmateriaali() const { return stringForKey("bezelmateriaali"); }
  void setBezelmateriaali(std::optional<std::string> value) {
    setStringForKey("bezelmateriaali", std::move(value));
  }
  std::optional<std::string> lasi() const { return stringForKey("lasi"); }
  void setLasi(std::optional<std::string> value) { setStringForKey("lasi", std::move(value)); }
  std::optional<std::string> vedenpitavyys() const { return stringForKey("vedenpitavyys"); }
  void setVedenpitavyys(std::optional<std::string> value) {
    setStringForKey("vedenpitavyys", std::move(value));
  }
  std::optional<std::string> tauluvari() const { return stringForKey("tauluvari"); }
  void setTauluvari(std::optional<std::string> value) {
    setStringForKey("tauluvari", std::move(value));
  }
  std::optional<std::string> kruunu() const { return stringForKey("kruunu"); }
  void setKruunu(std::optional<std::string> value) { setStringForKey("kruunu", std::move(value)); }
  std::optional<std::string> setlaajuus() const { return stringForKey("setlaajuus"); }
  void setSetlaajuus(std::optional<std::string> value) {
    setStringForKey("setlaajuus", std::move(value));
  }
  std::optional<std::string> komplikaatio1() const { return stringForKey("komplikaatio1"); }
  void setKomplikaatio1(std::optional<std::string> value) {
    setStringForKey("komplikaatio1", std::move(value));
  }
  std::optional<std::string> komplikaatio2() const { return stringForKey("komplikaatio2"); }
  void setKomplikaatio2(std::optional<std::string> value) {
    setStringForKey("komplikaatio2", std::move(value));
  }
  std::optional<std::string> komplikaatio3() const { return stringForKey("komplikaatio3"); }
  void setKomplikaatio3(std::optional<std::string> value) {
    setStringForKey("komplikaatio3", std::move(value));
  }
  std::optional<std::string> komplikaatio4() const { return stringForKey("komplikaatio4"); }
  void setKomplikaatio4(std::optional<std::string> value) {
    setStringForKey("komplikaatio4", std::move(value));
  }
  std::optional<std::string> komplikaatio5() const { return stringForKey("komplikaatio5"); }
  void setKomplikaatio5(std::optional<std::string> value) {
    setStringForKey("komplikaatio5", std::move(value));
  }
  std::optional<std::string> komplikaatio6() const { return stringForKey("komplikaatio6"); }
  void setKomplikaatio6(std::optional<std::string> value) {
    setStringForKey("komplikaatio6", std::move(value));
  }
  std::optional<std::string> ostoliike() const { return stringForKey("ostoliike"); }
  void setOstoliike(std::optional<std::string> value) {
    setStringForKey("ostoliike", std::move(value));
  }
  std::optional<Date> ostopvm() const { return dateForKey("ostopvm"); }
  void setOstopvm(std::optional<Date> value) { setDateForKey("ostopvm", std::move(value)); }
  double ostohinta() const { return doubleForKey("ostohinta"); }
  void setOstohinta(double value) { setDoubleForKey("ostohinta", value); }
  std::optional<Date> takuupvm() const { return dateForKey("takuupvm"); }
  void setTakuupvm(std::optional<Date> value) { setDateForKey("takuupvm", std::move(value)); }
  std::optional<std::string> myyntiliike() const { return stringForKey("myyntiliike"); }
  void setMyyntiliike(std::optional<std::string> value) {
    setStringForKey("myyntiliike", std::move(value));
  }
  std::optional<Date> myyntipvm() const { return dateForKey("myyntipvm"); }
  void setMyyntipvm(std::optional<Date> value) { setDateForKey("myyntipvm", std::move(value)); }
  double myyntihinta() const { return doubleForKey("myyntihinta"); }
  void setMyyntihinta(double value) { setDoubleForKey("myyntihinta", value); }
  std::optional<std::string> varasarake1() const { return stringForKey("varasarake1"); }
  void setVarasarake1(std::optional<std::string> value) {
    setStringForKey("varasarake1", std::move(value));
  }
  std::optional<std::string> varasarake2() const { return stringForKey("varasarake2"); }
  void setVarasarake2(std::optional<std::string> value) {
    setStringForKey("varasarake2", std::move(value));
  }
  std::optional<std::string> varasarake3() const { return stringForKey("varasarake3"); }
  void setVarasarake3(std::optional<std::string> value) {
    setStringForKey("varasarake3", std::move(value));
  }
  double varasarake4() const { return doubleForKey("varasarake4"); }
  void setVarasarake4(double value) { setDoubleForKey("varasarake4", value); }
  std::optional<Date> varasarake5() const { return dateForKey("varasarake5"); }
  void setVarasarake5(std::optional<Date> value) { setDateForKey("varasarake5", std::move(value)); }
  std::optional<Bytes> varasarake6() const { return bytesForKey("varasarake6"); }
  void setVarasarake6(std::optional<Bytes> value) {
    setBytesForKey("varasarake6", std::move(value));
  }
  std::optional<Bytes> kellokuva() const { return bytesForKey("kellokuva"); }
  void setKellokuva(std::optional<Bytes> value) { setBytesForKey("kellokuva", std::move(value)); }
  std::optional<Bytes> takuukortti() const { return bytesForKey("takuukortti"); }
  void setTakuukortti(std::optional<Bytes> value) {
    setBytesForKey("takuukortti", std::move(value));
  }
  std::optional<Bytes> ostokuitti() const { return bytesForKey("ostokuitti"); }
  void setOstokuitti(std::optional<Bytes> value) { setBytesForKey("ostokuitti", std::move(value)); }
};

class Huolto : public ManagedObject {
 public:
  static std::string_view entityName() { return "Huolto"; }
  static FetchRequest fetchRequest() { return FetchRequest(std::string(entityName())); }

  std::optional<std::string> huoltoliike() const { return stringForKey("huoltoliike"); }
  void setHuoltoliike(std::optional<std::string> value) {
    setStringForKey("huoltoliike", std::move(value));
  }
  std::optional<std::string> huollonkello() const { return stringForKey("huollonkello"); }
  void setHuollonkello(std::optional<std::string> value) {
    setStringForKey("huollonkello", std::move(value));
  }
  std::optional<Date> huoltopvm() const { return dateForKey("huoltopvm"); }
  void setHuoltopvm(std::optional<Date> value) { setDateForKey("huoltopvm", std::move(value)); }
  std::optional<Date> huollostapaluupvm() const { return dateForKey("huollostapaluupvm"); }
  void setHuollostapaluupvm(std::optional<Date> value) {
    setDateForKey("huollostapaluupvm", std::move(value));
  }
  std::optional<Date> huoltotakuupvm() const { return dateForKey("huoltotakuupvm"); }
  void setHuoltotakuupvm(std::optional<Date> value) {
    setDateForKey("huoltotakuupvm", std::move(value));
  }
  std::optional<std::string> huoltosyy() const { return stringForKey("huoltosyy"); }
  void setHuoltosyy(std::optional<std::string> value) {
    setStringForKey("huoltosyy", std::move(value));
  }
  double huoltohinta() const { return doubleForKey("huoltohinta"); }
  void setHuoltohinta(double value) { setDoubleForKey("huoltohinta", value); }
  std::optional<std::string> huoltokuvaus() const { return stringForKey("huoltokuvaus"); }
  void setHuoltokuvaus(std::optional<std::string> value) {
    setStringForKey("huoltokuvaus", std::move(value));
  }
  std::optional<Bytes> huoltokuitti() const { return bytesForKey("huoltokuitti"); }
  void setHuoltokuitti(std::optional<Bytes> value) {
    setBytesForKey("huoltokuitti", std::move(value));
  }
};

class Takuu : public ManagedObject {
 public:
  static std::string_view entityName() { return "Takuu"; }
  static FetchRequest fetchRequest() { return FetchRequest(std::string(entityName())); }

  std::optional<std::string> takuunKello() const { return stringForKey("takuunKello"); }
  void setTakuunKello(std::optional<std::string> value) {
    setStringForKey("takuunKello", std::move(value));
  }
  std::optional<Bytes> takuuKortti() const { return bytesForKey("takuuKortti"); }
  void setTakuuKortti(std::optional<Bytes> value) {
    setBytesForKey("takuuKortti", std::move(value));
  }
  std::optional<Date> takuuPVM() const { return dateForKey("takuuPVM"); }
  void setTakuuPVM(std::optional<Date> value) { setDateForKey("takuuPVM", std::move(value)); }
  std::optional<Date> varaPVM1() const { return dateForKey("varaPVM1"); }
  void setVaraPVM1(std::optional<Date> value) { setDateForKey("varaPVM1", std::move(value)); }
  std::optional<std::string> varaString1() const { return stringForKey("varaString1"); }
  void setVaraString1(std::optional<std::string> value) {
    setStringForKey("varaString1", std::move(value));
  }
};

class Mittaustieto : public ManagedObject {
 public:
  static std::string_view entityName() { return "Mittaustieto"; }
  static FetchRequest fetchRequest() { return FetchRequest(std::string(entityName())); }

  std::int16_t amplitudi() const { return int16ForKey("amplitudi"); }
  void setAmplitudi(std::int16_t value) { setInt16ForKey("amplitudi", value); }
  double beaterror() const { return doubleForKey("beaterror"); }
  void setBeaterror(double value) { setDoubleForKey("beaterror", value); }
  std::int16_t heittopervrk() const { return int16ForKey("heittopervrk"); }
  void setHeittopervrk(std::int16_t value) { setInt16ForKey("heittopervrk", value); }
  std::optional<std::string> mittauksenKello() const { return stringForKey("mittauksenKello"); }
  void setMittauksenKello(std::optional<std::string> value) {
    setStringForKey("mittauksenKello", std::move(value));
  }
  std::optional<Bytes> mittauskuva() const { return bytesForKey("mittauskuva"); }
  void setMittauskuva(std::optional<Bytes> value) {
    setBytesForKey("mittauskuva", std::move(value));
  }
  std::optional<Date> mittauspvm() const { return dateForKey("mittauspvm"); }
  void setMittauspvm(std::optional<Date> value) { setDateForKey("mittauspvm", std::move(value)); }
  std::optional<std::string> mittaustietojenkello() const {
    return stringForKey("mittaustietojenkello");
  }
  void setMittaustietojenkello(std::optional<std::string> value) {
    setStringForKey("mittaustietojenkello", std::move(value));
  }
  std::optional<Bytes> varaKuva1() const { return bytesForKey("varaKuva1"); }
  void setVaraKuva1(std::optional<Bytes> value) { setBytesForKey("varaKuva1", std::move(value)); }
  std::optional<Date> varaPVM1() const { return dateForKey("varaPVM1"); }
  void setVaraPVM1(std::optional<Date> value) { setDateForKey("varaPVM1", std::move(value)); }
  std::optional<std::string> varaString1() const { return stringForKey("varaString1"); }
  void setVaraString1(std::optional<std::string> value) {
    setStringForKey("varaString1", std::move(value));
  }
};

class Kellokuvat : public ManagedObject {
 public:
  static std::string_view entityName() { return "Kellokuvat"; }
  static FetchRequest fetchRequest() { return FetchRequest(std::string(entityName())); }

  std::optional<Bytes> kellokuva1() const { return bytesForKey("kellokuva1"); }
  void setKellokuva1(std::optional<Bytes> value) { setBytesForKey("kellokuva1", std::move(value)); }
  std::optional<Bytes> kellokuva2() const { return bytesForKey("kellokuva2"); }
  void setKellokuva2(std::optional<Bytes> value) { setBytesForKey("kellokuva2", std::move(value)); }
  std::optional<Bytes> kellokuva3() const { return bytesForKey("kellokuva3"); }
  void setKellokuva3(std::optional<Bytes> value) { setBytesForKey("kellokuva3", std::move(value)); }
  std::optional<Bytes> kellokuva4() const { return bytesForKey("kellokuva4"); }
  void setKellokuva4(std::optional<Bytes> value) { setBytesForKey("kellokuva4", std::move(value)); }
  std::optional<Bytes> kellokuva5() const { return bytesForKey("kellokuva5"); }
  void setKellokuva5(std::optional<Bytes> value) { setBytesForKey("kellokuva5", std::move(value)); }
  std::optional<Bytes> kellokuva6() const { return bytesForKey("kellokuva6"); }
  void setKellokuva6(std::optional<Bytes> value) { setBytesForKey("kellokuva6", std::move(value)); }
  std::optional<Bytes> kellokuva7() const { return bytesForKey("kellokuva7"); }
  void setKellokuva7(std::optional<Bytes> value) { setBytesForKey("kellokuva7", std::move(value)); }
  std::optional<Bytes> kellokuva8() const { return bytesForKey("kellokuva8"); }
  void setKellokuva8(std::optional<Bytes> value) { setBytesForKey("kellokuva8", std::move(value)); }
  std::optional<Bytes> kellokuva9() const { return bytesForKey("kellokuva9"); }
  void setKellokuva9(std::optional<Bytes> value) { setBytesForKey("kellokuva9", std::move(value)); }
  std::optional<Bytes> kellokuva10() const { return bytesForKey("kellokuva10"); }
  void setKellokuva10(std::optional<Bytes> value) {
    setBytesForKey("kellokuva10", std::move(value));
  }
  std::optional<std::string> kuvanKello() const { return stringForKey("kuvanKello"); }
  void setKuvanKello(std::optional<std::string> value) {
    setStringForKey("kuvanKello", std::move(value));
  }
  std::optional<Date> kuvanPVM() const { return dateForKey("kuvanPVM"); }
  void setKuvanPVM(std::optional<Date> value) { setDateForKey("kuvanPVM", std::move(value)); }
  std::optional<Bytes> varaKuva1() const { return bytesForKey("varaKuva1"); }
  void setVaraKuva1(std::optional<Bytes> value) { setBytesForKey("varaKuva1", std::move(value)); }
};

class Varataulu : public ManagedObject {
 public:
  static std::string_view entityName() { return "Varataulu"; }
  static FetchRequest fetchRequest() { return FetchRequest(std::string(entityName())); }

  std::optional<std::string> varaString1() const { return stringForKey("varaString1"); }
  void setVaraString1(std::optional<std::string> value) {
    setStringForKey("varaString1", std::move(value));
  }
  std::optional<std::string> varaString2() const { return stringForKey("varaString2"); }
  void setVaraString2(std::optional<std::string> value) {
    setStringForKey("varaString2", std::move(value));
  }
  std::optional<std::string> varaString3() const { return stringForKey("varaString3"); }
  void setVaraString3(std::optional<std::string> value) {
    setStringForKey("varaString3", std::move(value));
  }
  std::optional<std::string> varaString4() const { return stringForKey("varaString4"); }
  void setVaraString4(std::optional<std::string> value) {
    setStringForKey("varaString4", std::move(value));
  }
  std::optional<std::string> varaString5() const { return stringForKey("varaString5"); }
  void setVaraString5(std::optional<std::string> value) {
    setStringForKey("varaString5", std::move(value));
  }
  std::optional<Date> varaPVM1() const { return dateForKey("varaPVM1"); }
  void setVaraPVM1(std::optional<Date> value) { setDateForKey("varaPVM1", std::move(value)); }
  std::optional<Date> varaPVM2() const { return dateForKey("varaPVM2"); }
  void setVaraPVM2(std::optional<Date> value) { setDateForKey("varaPVM2", std::move(value)); }
  double varaDouble1() const { return doubleForKey("varaDouble1"); }
  void setVaraDouble1(double value) { setDoubleForKey("varaDouble1", value); }
  std::int16_t varaInt1() const { return int16ForKey("varaInt1"); }
  void setVaraInt1(std::int16_t value) { setInt16ForKey("varaInt1", value); }
  std::optional<Bytes> varaData1() const { return bytesForKey("varaData1"); }
  void setVaraData1(std::optional<Bytes> value) { setBytesForKey("varaData1", std::move(value)); }
};

// The entities, attributes and relationships of the collection store.
std::vector<EntityDescription> collectionEntities();

}  // namespace tockary
