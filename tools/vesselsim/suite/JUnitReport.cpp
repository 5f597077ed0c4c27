#include "JUnitReport.h"

#include <sstream>

namespace {

std::string Escaped(const std::string &text) {
  std::string escaped;
  for (char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

// "12: 600 expect SHIP:TOTALMASS 14000 15000"
std::string CaseName(const Expectation &expectation) {
  const std::string line = expectation.where.substr(expectation.where.rfind(':') + 1);
  const size_t start = expectation.text.find_first_not_of(" \t");
  const size_t end = expectation.text.find_last_not_of(" \t\r");
  return line + ": " + (start == std::string::npos ? "" : expectation.text.substr(start, end - start + 1));
}

void WriteSuite(std::ostringstream &xml, const TestRun &run) {
  const std::string suite = Escaped(run.test->path);
  const std::string error = run.Error();
  const auto &expectations = run.test->script.expectations;
  xml << "  <testsuite name=\"" << suite << "\" tests=\"" << (error.empty() ? expectations.size() : 1)
      << "\" failures=\"" << (error.empty() ? run.Broken() : 0) << "\" errors=\"" << (error.empty() ? 0 : 1)
      << "\" time=\"" << run.seconds << "\">\n";
  if (!error.empty()) {
    xml << "    <testcase classname=\"" << suite << "\" name=\"run\"><error message=\"" << Escaped(error)
        << "\"/></testcase>\n";
  }
  for (size_t i = 0; error.empty() && i < expectations.size(); ++i) {
    const std::string failure = run.Failure(expectations[i]);
    xml << "    <testcase classname=\"" << suite << "\" name=\"" << Escaped(CaseName(expectations[i])) << "\"";
    if (failure.empty()) {
      xml << "/>\n";
      continue;
    }
    xml << "><failure message=\"" << Escaped(failure) << "\">" << Escaped(failure) << "</failure></testcase>\n";
  }
  xml << "  </testsuite>\n";
}

}  // namespace

std::string JUnitReport(const std::vector<TestRun> &runs) {
  // A file that was not flown is one case, in error.
  const TestTally tally = Tally(runs);
  std::ostringstream xml;
  xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites name=\"vesselsim test\" tests=\""
      << tally.expectations + tally.unflown << "\" failures=\"" << tally.broken << "\" errors=\"" << tally.unflown
      << "\" time=\"" << tally.seconds << "\">\n";
  for (const TestRun &run : runs) WriteSuite(xml, run);
  xml << "</testsuites>\n";
  return xml.str();
}
