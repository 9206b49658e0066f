#include "report/header_footer.h"

#include "core/conversions.h"
#include "core/cp1251.h"

namespace zt::report {
namespace {

std::string Joined(std::initializer_list<std::string_view> parts) {
  std::string text;
  for (std::string_view p : parts) text += p;
  return text;
}

}  // namespace

void WriteReportHeader(ReportLines& out, Language language, const DecodedImage& image, const Period& period,
                       const Clock& clock) {
  const bool uk = language == Language::Ukrainian;
  const auto& h = image.header;
  out.WriteLine(Joined({uk ? "/звіт складен:"_cp : "/отчет составлен:"_cp, DateNowText(clock), " ",
                        TimeNowText(clock), "/"}));
  out.WriteEmptyLine();
  out.WriteEmptyLine();
  out.WriteLine(Indented(15, Joined({uk ? "Реєстратор магнітного поля №"_cp : "Регистратор магнитного поля №"_cp,
                                     h[kHeaderSerial]})));
  out.WriteEmptyLine();
  out.WriteLine(Joined({uk ? "кількість датчиків.. "_cp : "количество датчиков. "_cp, h[kHeaderSensorCount]}));
  out.WriteLine(Joined({uk ? "підприємство........ "_cp : "предприятие......... "_cp,
                        WithoutControlChars(h[kHeaderEnterprise])}));
  out.WriteLine(Joined({uk ? "нитка трубопроводу.. "_cp : "ветка трубопровода.. "_cp,
                        WithoutControlChars(h[kHeaderBranch])}));
  out.WriteLine(Joined({uk ? "лічильник........... "_cp : "счетчик............. "_cp,
                        WithoutControlChars(h[kHeaderMeter])}));
  // The letter before the blank in "c " is the Latin c, as the device's reports always had it.
  if (uk) {
    out.WriteEmptyLine();
    out.WriteLine(Joined({"звіт за період з "_cp, period.beginText, " по "_cp, period.endText}));
  } else {
    out.WriteLine(Joined({"отчет за период c "_cp, period.beginText, " по "_cp, period.endText}));
  }
  out.WriteEmptyLine();
}

void WriteReportFooter(ReportLines& out, Language language, const Period& period) {
  const bool uk = language == Language::Ukrainian;
  out.WriteEmptyLine();
  out.WriteLine(Joined({uk ? "Висновок"_cp : "Заключение"_cp, " ", std::string(54, '_')}));
  out.WriteEmptyLine();
  out.WriteLine(Joined({uk ? "Випробувач"_cp : "Оператор"_cp, "   ", std::string(18, '_'), std::string(8, ' '),
                        std::string(25, '_')}));
  out.WriteLine(uk ? "               (підпис)                 (ініціали,прізвище) "_cp
                   : "               (подпись)                 (инициалы,фамилия) "_cp);
  out.WriteEmptyLine();
  out.WriteEmptyLine();
  if (uk)
    out.WriteLine(Joined({"     Кінець звіту за період з "_cp, period.beginText, "р."_cp, " по "_cp, period.endText,
                          "р."_cp}));
  else
    out.WriteLine(Joined({"     Конец отчета за период c "_cp, period.beginText, "г."_cp, " по "_cp,
                          period.endText, "г."_cp}));
  out.WriteEmptyLine();
  out.WriteEmptyLine();
  out.WriteLine(RuleLine(65));
}

}  // namespace zt::report
