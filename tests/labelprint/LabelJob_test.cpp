// The label descriptor contract: splitting, the symbology rule, and the two
// writers (grid records and design-page templates).
#include <gtest/gtest.h>

#include "labelprint/LabelJob.h"

using namespace labelprint;

TEST(SplitDescriptor, Examples) {
  struct Case {
    QString descriptor, barcode;
    QStringList lines;
    QString price;
  } cases[] = {
      {"123456780;编号:001;品名:衣服;单价:28", "123456780", {"编号:001", "品名:衣服"}, "单价:28"},
      {"-;品名:裤子;-", "-", {"品名:裤子"}, "-"},
      {"-;;品名:裤子;单价:30", "-", {"", "品名:裤子"}, "单价:30"},
      {"-", "", {}, "-"},  // no ';': a price line alone
      {"", "", {}, ""},
      {"a;b", "a", {}, "b"},
      {";;;", "", {"", ""}, ""},
  };
  for (const Case &c : cases) {
    const DescriptorParts parts = SplitDescriptor(c.descriptor);
    EXPECT_EQ(parts.barcode, c.barcode) << c.descriptor.toStdString();
    EXPECT_EQ(parts.lines, c.lines) << c.descriptor.toStdString();
    EXPECT_EQ(parts.price, c.price) << c.descriptor.toStdString();
  }
}

TEST(ChooseBarType, CapitalBeforeTheLastCharacterChoosesCode128A) {
  struct Case {
    const char *text;
    barcode::TBarType expected;
  } cases[] = {
      {"AB12", barcode::bcCode128A},   {"12345A", barcode::bcCodeEAN13}, {"ab12", barcode::bcCodeEAN13},
      {"", barcode::bcCodeEAN13},      {"A", barcode::bcCodeEAN13},      {"1Z", barcode::bcCodeEAN13},
      {"Z1", barcode::bcCode128A},     {"6901028095884", barcode::bcCodeEAN13},
      {"34534d3rt", barcode::bcCodeEAN13}, {"条码X9", barcode::bcCode128A},
      {"ÄÖ1", barcode::bcCodeEAN13},  // only Latin A to Z count
  };
  for (const Case &c : cases)
    EXPECT_EQ(ChooseBarType(QString::fromUtf8(c.text)), c.expected) << c.text;
}

TEST(GridDescriptor, KeepsLinesFromThreeCharactersAndUpperCasesTheBarcode) {
  // The second seed row.
  EXPECT_EQ(GridDescriptor("123456781", false, {"-", "-", "品名:裤子", "-", "单位:条", "产地:本地服装厂"}, "单价:30"),
            "123456781;品名:裤子;单位:条;产地:本地服装厂;单价:30");
  EXPECT_EQ(GridDescriptor("", true, {"-", "品名:裤子", "", "", "", ""}, "单价:30"), "-;;品名:裤子;单价:30");
  EXPECT_EQ(GridDescriptor("abc123", false, {"ab", "abc", "", "", "", ""}, "12"), "ABC123;abc;-");
  EXPECT_EQ(GridDescriptor("-", false, {"", "", "", "", "", ""}, ""), "-;-");
}

TEST(TemplateDescriptor, KeepsValuesFromTwoCharactersAndTheBarcodeAsTyped) {
  const QStringList lines{"barcode=abc123", "labdi=ab",   "cbiho=-", "cName=品名:裤子",
                          "cxinho=a=bc",    "danwei=",    "",        "danjain=12"};
  EXPECT_EQ(TemplateDescriptor(lines), "abc123;ab;品名:裤子;bc;12");
  QStringList noBarcode = lines;
  noBarcode[0] = "34534d3rt";  // a null barcode's marker line: no '=', so no barcode
  noBarcode[7] = "danjain=-";
  EXPECT_EQ(TemplateDescriptor(noBarcode), "-;ab;品名:裤子;bc;-");
  QStringList innerEquals = lines;
  innerEquals[0] = "barcode=x=1";  // what follows the second '=' is taken whatever its length
  EXPECT_EQ(TemplateDescriptor(innerEquals).section(';', 0, 0), "1");
}
