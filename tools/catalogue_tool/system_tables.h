#pragma once
// The engine's own tables, as Access creates them in a new Jet 4 file: the catalogue of
// objects (MSysObjects, whose definition is always page 2), permissions (MSysACEs), queries
// (MSysQueries) and relationships (MSysRelationships).

#include "catalogue_tool/table_schema.h"

namespace jet_writer {

TableSchema ObjectsTableSchema();
TableSchema PermissionsTableSchema();
TableSchema QueriesTableSchema();
TableSchema RelationshipsTableSchema();

} // namespace jet_writer
