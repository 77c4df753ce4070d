#include <gtest/gtest.h>

#include "settings/logic/settings_fields.h"
#include "settings/logic/settings_text.h"

namespace {

const std::string Caregivers =
    "; do cuidador: n\xE3o mexer no volume\r\n[VARREDURA]\r\n; quanto tempo cada op\xE7\xE3o fica acesa\r\n"
    "DELAY = 1500\r\nPAUSAPRIMEIRO=0\r\n\r\n[teclado]\r\n;SUGESTOES=5\r\nAPRENDER=1\r\n";

TEST(SettingsWriter, ChangesAKeyInPlaceAndKeepsEveryOtherByte) {
  EXPECT_EQ(WithSetting(Caregivers, "VARREDURA", "DELAY", "1200"),
            "; do cuidador: n\xE3o mexer no volume\r\n[VARREDURA]\r\n; quanto tempo cada op\xE7\xE3o fica acesa\r\n"
            "DELAY = 1200\r\nPAUSAPRIMEIRO=0\r\n\r\n[teclado]\r\n;SUGESTOES=5\r\nAPRENDER=1\r\n");
  EXPECT_EQ(WithSetting("[A]\nK=\n", "a", "k", "1"), "[A]\nK=1\n");
}

TEST(SettingsWriter, AddsAKeyBesideItsCommentOrAtItsSectionsEndAndASectionAtTheFileEnd) {
  EXPECT_EQ(WithSetting(Caregivers, "TECLADO", "SUGESTOES", "0"),
            Caregivers.substr(0, Caregivers.find(";SUGESTOES=5\r\n") + 14) + "SUGESTOES=0\r\nAPRENDER=1\r\n");
  EXPECT_EQ(WithSetting(Caregivers, "VARREDURA", "FALAR", "1"),
            Caregivers.substr(0, Caregivers.find("\r\n\r\n[teclado]") + 2) + "FALAR=1\r\n" +
                Caregivers.substr(Caregivers.find("\r\n[teclado]")));
  EXPECT_EQ(WithSetting(Caregivers, "MOUSE", "APONTAR", "1"), Caregivers + "\r\n[MOUSE]\r\nAPONTAR=1\r\n");
  EXPECT_EQ(WithSetting("", "MOUSE", "APONTAR", "1"), "[MOUSE]\r\nAPONTAR=1\r\n");
}

TEST(SettingsWriter, AFileCutShortOrWithUnixLineEndsGetsWholeLines) {
  EXPECT_EQ(WithSetting("[VARREDURA]\nDELAY=15", "VARREDURA", "FALAR", "1"), "[VARREDURA]\nDELAY=15\nFALAR=1\n");
  EXPECT_EQ(WithSetting("[VARREDURA]\r\nDELAY=15", "MOUSE", "APONTAR", "1"),
            "[VARREDURA]\r\nDELAY=15\r\n\r\n[MOUSE]\r\nAPONTAR=1\r\n");
  EXPECT_EQ(WithSetting("[VARRED", "VARREDURA", "DELAY", "1"), "[VARRED\r\n\r\n[VARREDURA]\r\nDELAY=1\r\n");
}

TEST(SettingsWriter, WritesTheValueInTheFilesOwnEncoding) {
  // Code page 1252 (or any other) as it is; UTF-8 and UTF-16 by their byte-order marks.
  EXPECT_EQ(WithSetting("[FALA]\r\nVOZ=\xD8\r\n", "FALA", "VOZ", "Lu\xEDsa"), "[FALA]\r\nVOZ=Lu\xEDsa\r\n");
  EXPECT_EQ(WithSetting("\xEF\xBB\xBF[FALA]\r\nVOZ=x\r\n", "FALA", "VOZ", "Lu\xEDsa"),
            "\xEF\xBB\xBF[FALA]\r\nVOZ=Lu\xC3\xADsa\r\n");
  const std::string utf16("\xFF\xFE[\0A\0]\0\r\0\n\0;\0\xE7\0\r\0\n\0", 20);
  EXPECT_EQ(WithSetting(utf16, "A", "K", "\xE9"), utf16 + std::string("K\0=\0\xE9\0\r\0\n\0", 10));
}

}  // namespace

TEST(SettingFields, ARefusedValueIsSaidInWordsAndEveryDefaultIsAccepted) {
  const SettingField& delay = *FindField("VARREDURA", "DELAY");
  EXPECT_EQ(FieldProblem(delay, "1200"), "");
  for (const char* typed : {"1.5", "1,5", "", "12a", "-", "0x10"})
    EXPECT_EQ(FieldProblem(delay, typed), "Escreva um n\xFAmero inteiro, sem v\xEDrgula nem ponto, de 100 a 10000.") << typed;
  EXPECT_EQ(FieldProblem(delay, "99"), "Fora da faixa: de 100 a 10000.");
  EXPECT_EQ(FieldProblem(delay, "99999999999"), FieldProblem(delay, "1.5"));
  EXPECT_EQ(FieldProblem(*FindField("FALA", "VELOCIDADE"), "-10"), "");
  EXPECT_EQ(FieldProblem(*FindField("VIDEO", "CORESFIXAS"), "sim"), "Escolha um dos valores da lista.");
  EXPECT_EQ(FieldHint(delay), "de 100 a 10000; padr\xE3o 1500");
  for (const SettingField& field : SettingFields()) EXPECT_EQ(FieldProblem(field, field.fallback), "") << field.key;
}

TEST(SettingFields, APanelShortcutTakesTheVolumeAndDelayAndKeepsItsOtherArguments) {
  EXPECT_EQ(PanelArguments("60 1500", "45", "1200"), "45 1200");
  EXPECT_EQ(PanelArguments("60 1500 /x \"y z\"", "45", "1200"), "45 1200 /x \"y z\"");
  EXPECT_EQ(PanelArguments("", "45", "1200"), "45 1200");
  EXPECT_EQ(PanelArguments("60 /x", "45", "1200"), "45 1200 /x");
}
