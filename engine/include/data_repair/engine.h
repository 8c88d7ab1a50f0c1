#pragma once

// The one header callers include: records, interfaces, the factory and the free functions.

#include "data_repair/byte_buffer.h"
#include "data_repair/consensus.h"
#include "data_repair/detection.h"
#include "data_repair/file_access.h"
#include "data_repair/output_writer.h"
#include "data_repair/records.h"
#include "data_repair/repair_interfaces.h"
