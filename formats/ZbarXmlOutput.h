// The zbar-xml format (--xml): zbarimg's XML, element for element, so that programs reading
// zbarimg's results read velscan's.
//   <barcodes xmlns='http://zbar.sourceforge.net/2008/barcode'>
//   <source href='PATH'>
//   <index num='0'>
//   <symbol type='EAN-13' quality='1' orientation='UP' modifiers='GS1' configs='EMIT_CHECK'>
//     <data><![CDATA[...]]></data></symbol>                (one line in the output)
//   </index>
//   </source>
//   </barcodes>
// A file's pages are the indexes of its one source (num counts from 0); a page without
// barcodes has no index, as zbarimg writes none for a picture without barcodes. Data that
// zbarimg would not put in CDATA as it is (control bytes but tab, newline and carriage
// return; bytes 0x7F to 0x9F; "]]>"; a byte order mark or "<?xml" at its start), and data
// that is not well-formed text, comes as base64 with format='base64' and its length. Unlike
// zbarimg, velscan escapes the path, so that the document is always well-formed. Pictures
// that cannot be read are reported on standard error, as zbarimg does.
#pragma once

#include "vel/formats/Output.h"

#include <optional>

namespace VelFormats {

class TZbarXmlOutput : public TOutput {
public:
    TZbarXmlOutput(std::ostream& out, std::ostream& errors, std::string program);

    void Begin() override;
    void Write(const TPageResult& result) override;
    void End() override;
    bool ReportsErrorsApart() const override { return true; }

private:
    void OpenSource(const TPageResult& result);
    void CloseSource();

    std::ostream& FOut;
    std::ostream& FErrors;
    std::string FProgram;
    std::optional<std::string> FOpenPath; // the source element open, until another file comes
    int FLastPage = 0;
};

} // namespace VelFormats
