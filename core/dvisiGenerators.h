// The primitive generators the core's initialisation creates (null outside it).
#pragma once

class ddzIAreaPrimitive;
class ddzIPolyline;
class ddzIFilledPolygon;

ddzIAreaPrimitive* dvisiTriangleGenerator();
ddzIAreaPrimitive* dvisiTriStripGenerator();
ddzIPolyline* dvisiPolylineGenerator();
ddzIFilledPolygon* dvisiFilledPolygonGenerator();
