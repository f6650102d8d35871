// The engineering interface's form of a PLC tag table:
//   <Document><SW.Tags.PlcTagTable><ObjectList><SW.Tags.PlcTag><AttributeList>
//     <Name>..</Name><DataTypeName>..</DataTypeName><LogicalAddress>%I0.0</LogicalAddress>
//   </AttributeList><ObjectList><MultilingualText CompositionName="Comment">..Text..
// read into the same records as the Tagtable form.
#pragma once

#include <vector>

#include <tinyxml2.h>

#include "types/reader_notes.h"
#include "types/type_records.h"

/// Whether root is a Document that holds at least one SW.Tags.PlcTagTable.
bool IsPlcTagTableDocument(const tinyxml2::XMLElement& root);

/// Appends a record for each SW.Tags.PlcTag of every table in the document: Name, Type from
/// DataTypeName, Mark the first non-empty text of its Comment, Read 0 when ExternalVisible is
/// "false", Write 0 when ExternalWritable is "false" (without regard to case), Block and BitOffset
/// from LogicalAddress as ReadTagAddress reads it. A tag without an address gives no record; one
/// whose address is refused gives a note (line, name, address) instead.
void ReadPlcTagTableDocument(const tinyxml2::XMLElement& root, std::vector<SFlatMember>& records, ReaderNotes* notes);
